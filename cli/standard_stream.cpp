#include "cli/standard_stream.h"

namespace rating::cli {

StandardStreamBuffer::int_type StandardStreamBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return sync() == 0 ? 0 : traits_type::eof();
  const char character = traits_type::to_char_type(c);
  line_ += character;
  if (character == '\n' && sync() != 0) return traits_type::eof();
  return c;
}

std::streamsize StandardStreamBuffer::xsputn(const char* text, std::streamsize count) {
  line_.append(text, static_cast<std::size_t>(count));
  if (line_.find('\n') != std::string::npos && sync() != 0) return 0;
  return count;
}

bool StandardStreamBuffer::WriteLine() {
  if (!line_.empty() && !failed_) failed_ = !platform::WriteStandard(stream_, line_);
  line_.clear();
  return !failed_;
}

int StandardStreamBuffer::sync() { return WriteLine() ? 0 : -1; }

}  // namespace rating::cli
