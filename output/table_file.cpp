#include "output/table_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "engine/text_encoding.h"
#include "output/file_message.h"
#include "platform/utf8_path.h"

namespace rating {

TableFile ReadTableFile(const std::string& path, Message kind) {
  const auto unreadable = [&](std::error_code reason) {
    return TableFile{{}, FileMessage(Pattern(kind), path, reason)};
  };
  const std::filesystem::path file = PathFromUtf8(path);
  // A folder opens as a stream on some systems and then reads as nothing.
  std::error_code status;
  if (std::filesystem::is_directory(file, status)) {
    return unreadable(std::make_error_code(std::errc::is_a_directory));
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return unreadable(std::error_code(errno, std::generic_category()));
  std::ostringstream bytes;
  bytes << stream.rdbuf();
  if (stream.bad()) return unreadable(std::make_error_code(std::errc::io_error));
  return DecodeTableFile(bytes.str(), path, kind);
}

TableFile DecodeTableFile(std::string_view bytes, const std::string& name, Message kind) {
  TableText text = DecodeTableText(bytes);
  if (text.badLine != 0) {
    return {
        {},
        Compose(Message::BatchProblemAtLine, Arg<"kind">(Pattern(kind)), Arg<"path">(name),
                Arg<"line">(std::to_string(text.badLine)), Arg<"problem">(Pattern(Message::BatchNotUtf8)))};
  }
  return {std::move(text.utf8), {}};
}

}  // namespace rating
