// The whole rating run from arbitrary field texts, separated by 0x1F, in the
// order of InputField, and after them the text of a surveyed section's
// ground points. The file name is kept inside a private folder. A run either
// succeeds with a complete file and list or fails with a message, and a
// failure leaves no file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>  // getpid, for a private folder per fuzzing process
#include <vector>

#include "engine/cross_section.h"
#include "engine/failure.h"
#include "run/rating_run.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process's own, removed when fuzzing ends.
class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() /
              std::string("rating-run-fuzz-").append(std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  [[nodiscard]] const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Sandbox() {
  static const Folder folder;
  return folder.Path();
}

std::size_t CountLineEnds(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::size_t count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  rating::FieldTexts texts = rating::DefaultFieldTexts(".");
  std::size_t start = 0;
  for (std::size_t field = 0; field < texts.size() && start <= input.size(); ++field) {
    const std::size_t end = std::min(input.find('\x1f', start), input.size());
    texts.at(field) = std::string(input.substr(start, end - start));
    start = end + 1;
  }
  const std::string_view separator = !input.empty() && (input[0] & 1) != 0 ? "," : ".";
  // Points that cannot be read are refused with words, and none are rated.
  std::vector<rating::GroundPoint> ground;
  try {
    ground =
        rating::ReadGroundLine(start <= input.size() ? input.substr(start) : std::string_view(), separator);
  } catch (const rating::RatingFailure& failure) {
    if (std::string_view(failure.what()).empty()) std::abort();
  }

  // Any name becomes one entry in the private folder; a NUL byte must be refused.
  std::string& name = rating::TextOf(texts, rating::InputField::Filename);
  std::erase(name, '/');
  const fs::path file = Sandbox() / name;
  name = file.string();

  bool succeeded = false;
  std::vector<std::string> listing;
  try {
    listing = rating::CreateRatingFile(texts, separator, ground).listing;
    succeeded = true;
  } catch (const rating::RatingFailure& failure) {
    if (std::string_view(failure.what()).empty()) std::abort();
  }

  std::size_t leftBehind = 0;
  for (const auto& entry : fs::directory_iterator(Sandbox())) {
    const bool isTheRatingFile = succeeded && entry.path() == file;
    if (!isTheRatingFile) ++leftBehind;
  }
  if (leftBehind != 0) std::abort();

  if (succeeded) {
    const std::size_t rows = listing.size() - 2;
    if (CountLineEnds(file) != 2 + rows) std::abort();
    for (std::size_t i = 2; i < listing.size(); ++i) {
      if (listing[i].size() != 54) std::abort();
    }
    fs::remove(file);
  }
  return 0;
}
