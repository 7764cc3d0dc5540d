#include "output/rating_file.h"

#include <array>
#include <cerrno>
#include <random>
#include <system_error>

#include "engine/failure.h"
#include "engine/number_text.h"
#include "engine/rounding.h"

namespace rating {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSymlinkHops = 40;  // as the system's own limit
constexpr int kTemporaryNameTries = 100;

std::string Reason(int error) { return std::generic_category().message(error); }

// The name as a message shows it: control characters, which a message box
// or terminal would swallow, as \xNN.
std::string Shown(const std::string& name) {
  std::string shown;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[(static_cast<unsigned char>(c) >> 4U) & 0xFU];
      shown += kHex[static_cast<unsigned char>(c) & 0xFU];
    } else {
      shown += c;
    }
  }
  return shown;
}

[[noreturn]] void FailCreate(const std::string& name, int error) {
  throw RatingFailure(FailureKind::FileCreate, "\"" + Shown(name) + "\": " + Reason(error) + ".",
                      InputField::Filename);
}

// Follows symbolic links to the file that opening `name` would write.
fs::path ResolveLinks(const std::string& name) {
  fs::path target = name;
  for (int hops = 0;; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    if (hops == kMaxSymlinkHops) FailCreate(name, ELOOP);
    const fs::path link = fs::read_symlink(target, error);
    if (error) FailCreate(name, error.value());
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
}

// A name that does not exist yet, beside `target`.
fs::path TemporaryNameBeside(const fs::path& target) {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string suffix;
  auto bits = generator();
  for (int i = 0; i < 12; ++i, bits >>= 4U) suffix += kHex[bits & 0xFU];
  return target.parent_path() / (".rating-" + suffix + ".tmp");
}

}  // namespace

std::string PrintedNumber(float value, std::string_view decimalSeparator) {
  return (value < 0 ? "" : " ") + PlainNumberText(value, decimalSeparator) + " ";
}

RatingFileWriter::RatingFileWriter(std::string decimalSeparator) : separator_(std::move(decimalSeparator)) {}

RatingFileWriter::~RatingFileWriter() { Discard(); }

void RatingFileWriter::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);  // NOLINT(cert-err33-c): the file is abandoned
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    temporary_.clear();
  }
}

void RatingFileWriter::Open(const std::string& name) {
  Discard();
  name_ = name;
  if (name.empty()) FailCreate(name, ENOENT);
  // The system would silently stop at a NUL byte and write another file.
  if (name.find('\0') != std::string::npos) FailCreate(name, EINVAL);
  target_ = ResolveLinks(name);

  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  if (fs::is_directory(status)) FailCreate(name, EISDIR);

  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or FIFO cannot be replaced; it is written as it stands.
    file_ = std::fopen(target_.c_str(), "wb");
    if (file_ == nullptr) FailCreate(name, errno);
    return;
  }

  if (!fs::exists(status)) {
    // Nothing to keep: the file is created where it belongs, and removed
    // again if the run fails.
    file_ = std::fopen(target_.c_str(), "wbx");
    if (file_ == nullptr) FailCreate(name, errno);
    temporary_ = target_;
    return;
  }

  // Fail now, and with the system's reason, wherever truncating the file
  // would, without changing anything the user has.
  std::FILE* probe = std::fopen(target_.c_str(), "r+b");
  if (probe == nullptr) FailCreate(name, errno);
  std::fclose(probe);  // NOLINT(cert-err33-c): nothing was written

  for (int attempt = 0; attempt < kTemporaryNameTries && file_ == nullptr; ++attempt) {
    temporary_ = TemporaryNameBeside(target_);
    file_ = std::fopen(temporary_.c_str(), "wbx");
    if (file_ == nullptr && errno != EEXIST) break;
  }
  if (file_ == nullptr) {
    const int reason = errno;
    temporary_.clear();
    FailCreate(name, reason);
  }
  // The replacement keeps the permissions of the file it replaces.
  fs::permissions(temporary_, status.permissions(), error);
}

void RatingFileWriter::WriteLine(std::string_view line) {
  if (file_ == nullptr) FailWrite(EBADF);
  constexpr std::string_view kLineEnd = "\r\n";
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
      std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file_) != kLineEnd.size()) {
    FailWrite(errno);
  }
}

void RatingFileWriter::FailWrite(int error) {
  const std::string name = name_;
  Discard();
  throw RatingFailure(FailureKind::FileWrite, "\"" + Shown(name) + "\": " + Reason(error) + ".",
                      InputField::Filename);
}

void RatingFileWriter::WriteTitle(std::string_view title) { WriteLine(title); }

std::string ParameterLine(std::string_view width, std::string_view bank, std::string_view fall,
                          std::string_view length, std::string_view n) {
  std::string line = "Elv Cfs Acft Cascades, BW=";
  line.append(width).append(" SideS=").append(bank).append(" Fall=").append(fall);
  line.append(" ChL=").append(length).append(" n=").append(n);
  return line;
}

void RatingFileWriter::WriteParameters(std::string_view width, std::string_view bank, std::string_view fall,
                                       std::string_view length, std::string_view n) {
  WriteLine(ParameterLine(width, bank, fall, length, n));
}

void RatingFileWriter::WriteRow(RatingTable& table, int row) {
  CheckRowIndex(table, row);
  const auto j = static_cast<std::size_t>(row);
  const float flow = MyUSGSformat(table.Flow[j]);
  const float storage = MyUSGSformat(table.Storage[j]);
  const float cascades = MyUSGSformat(table.Cascades[j]);
  WriteLine(PrintedNumber(table.Elevation[j], separator_) + "\t" + PrintedNumber(flow, separator_) + "\t" +
            PrintedNumber(storage, separator_) + "\t" + PrintedNumber(cascades, separator_));
}

void RatingFileWriter::Close() {
  if (file_ == nullptr) FailWrite(EBADF);
  errno = 0;
  const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  const int closeError = errno;
  file_ = nullptr;
  if (!flushed) FailWrite(flushError != 0 ? flushError : EIO);
  if (!closed) FailWrite(closeError != 0 ? closeError : EIO);
  if (temporary_ != target_ && !temporary_.empty()) {  // a replacement written beside the target
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error) FailWrite(error.value());
  }
  temporary_.clear();
}

}  // namespace rating
