#include "output/safe_file.h"

#include <random>
#include <string>
#include <string_view>

#include "output/write_steps.h"

// What every system's SafeFile shares; the system calls are in
// safe_file_posix.cpp and safe_file_windows.cpp.
namespace rating {

namespace {

WriteStepHook stepHook = nullptr;

constexpr int kTemporaryNameTries = 100;
// Of the target's name, so that the temporary's name stays under the 255
// characters a file name may have.
constexpr std::size_t kTemporaryBaseLength = 200;

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string tag = ".";
  auto bits = generator();
  for (int i = 0; i < 8; ++i, bits >>= 4U) tag += kHex[bits & 0xFU];
  std::filesystem::path name(".");
  name += target.filename().native().substr(0, kTemporaryBaseLength);
  name += tag;
  name += ".partial";
  return target.parent_path() / name;
}

}  // namespace

std::filesystem::path write_steps::CreateTemporaryBeside(
    const std::filesystem::path& target,
    const std::function<TryOutcome(const std::filesystem::path&)>& create) {
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    std::filesystem::path temporary = TemporaryNameFor(target);
    const TryOutcome outcome = create(temporary);
    if (outcome == TryOutcome::Created) return temporary;
    if (outcome == TryOutcome::Failed) break;
  }
  return {};
}

void write_steps::Reached(WriteStep step) {
  if (stepHook != nullptr) stepHook(step);
}

void SetWriteStepHookForTesting(WriteStepHook hook) { stepHook = hook; }

void SafeFile::TemporaryCreated() {
  try {
    write_steps::Reached(WriteStep::TemporaryCreated);
  } catch (...) {
    Discard();  // no destructor runs for an object that was never made
    throw;
  }
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      buffer_(std::move(other.buffer_)),
      handle_(other.handle_),
      keptAttributes_(other.keptAttributes_),
      committed_(other.committed_) {
  other.temporary_.clear();
  other.handle_ = -1;
}

SafeFile& SafeFile::operator=(SafeFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temporary_ = std::move(other.temporary_);
    buffer_ = std::move(other.buffer_);
    handle_ = other.handle_;
    keptAttributes_ = other.keptAttributes_;
    committed_ = other.committed_;
    other.temporary_.clear();
    other.handle_ = -1;
  }
  return *this;
}

SafeFile::~SafeFile() { Discard(); }

}  // namespace rating
