#pragma once

// Files and folders for the tests that write rating files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace rating::testing_support {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder under the temporary directory that any user may write in,
// removed with everything in it, whatever permissions a test left behind.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      // A folder of its own, so that tests may run in parallel.
      : path_(std::filesystem::temp_directory_path() /
              (name + "-" + std::to_string(std::random_device{}()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::permissions(path_, std::filesystem::perms::all);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (auto entry = fs::recursive_directory_iterator(path_, ignored);
         !ignored && entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
      fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
  }

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace rating::testing_support
