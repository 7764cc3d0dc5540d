#pragma once

#include <cerrno>
#include <system_error>

#include "output/safe_file.h"

namespace rating::testing_support {

// While it lives, every write fails as on a full disk, once its bytes are
// written and before the file is put in place.
class FullDisk {
 public:
  FullDisk() {
    SetWriteStepHookForTesting([](WriteStep step) {
      if (step == WriteStep::DataWritten) throw std::system_error(ENOSPC, std::generic_category());
    });
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  FullDisk(FullDisk&&) = delete;
  FullDisk& operator=(FullDisk&&) = delete;
  ~FullDisk() { SetWriteStepHookForTesting(nullptr); }
};

}  // namespace rating::testing_support
