#include "output/safe_file.h"

#include "output/write_steps.h"

// What every system's SafeFile shares; the system calls are in
// safe_file_posix.cpp and safe_file_windows.cpp.
namespace rating {

namespace {

WriteStepHook stepHook = nullptr;

}  // namespace

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
