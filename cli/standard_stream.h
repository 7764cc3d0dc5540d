#pragma once

#include <streambuf>
#include <string>

#include "platform/platform.h"

namespace rating::cli {

// Standard output or standard error as a stream buffer, a line at a time, so
// that a line reaches a console whole and progress shows as a batch runs.
// The system's own writes keep every byte as the program made it.
class StandardStreamBuffer final : public std::streambuf {
 public:
  explicit StandardStreamBuffer(platform::StandardStream stream) : stream_(stream) {}
  StandardStreamBuffer(const StandardStreamBuffer&) = delete;
  StandardStreamBuffer& operator=(const StandardStreamBuffer&) = delete;
  StandardStreamBuffer(StandardStreamBuffer&&) = delete;
  StandardStreamBuffer& operator=(StandardStreamBuffer&&) = delete;
  ~StandardStreamBuffer() override { WriteLine(); }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Writes what is held; false once the stream has refused.
  bool WriteLine();

  platform::StandardStream stream_;
  std::string line_;  // what is not yet written
  bool failed_ = false;
};

}  // namespace rating::cli
