#include "output/file_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "engine/text_encoding.h"

namespace rating {

namespace {

// The longest name of one file or folder, in UTF-16 units.
constexpr std::size_t kLongestFileName = 255;

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto [length, character] = Utf8Character(utf8.substr(i));
    units += character >= 0x10000U ? 2 : 1;
    i += std::max<std::size_t>(length, 1);
  }
  return units;
}

// Whether Windows takes the name, with or without an extension, for a device.
bool IsReservedName(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' &&
         stem[3] <= '9';
}

}  // namespace

std::size_t FolderEnd(std::string_view typed) { return typed.find_last_of("/\\"); }

std::string_view LastPartOf(std::string_view typed) {
  const std::size_t end = FolderEnd(typed);
  return end == std::string_view::npos ? typed : typed.substr(end + 1);
}

std::filesystem::path AbsoluteNormal(const std::filesystem::path& name, std::error_code& error) {
  const std::filesystem::path absolute = std::filesystem::absolute(name, error);
  return error ? name : absolute.lexically_normal();
}

FileNameProblem WindowsFileNameProblem(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return FileNameProblem::NamesAFolder;
  if (Utf16Length(name) > kLongestFileName) return FileNameProblem::TooLong;
  if (name.find_first_of(R"(<>:"/\|?*)") != std::string_view::npos ||
      std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20U; })) {
    return FileNameProblem::BadCharacter;
  }
  if (name.back() == '.' || name.back() == ' ') return FileNameProblem::TrailingDotOrBlank;
  if (IsReservedName(name)) return FileNameProblem::ReservedName;
  return FileNameProblem::None;
}

Message ReasonFor(FileNameProblem problem) {
  switch (problem) {
    case FileNameProblem::NamesAFolder: return Message::ReasonNamesAFolder;
    case FileNameProblem::TooLong: return Message::ReasonNameTooLong;
    case FileNameProblem::BadCharacter: return Message::ReasonBadCharacter;
    case FileNameProblem::TrailingDotOrBlank: return Message::ReasonTrailingDotOrBlank;
    case FileNameProblem::ReservedName: return Message::ReasonReservedName;
    case FileNameProblem::None: break;
  }
  return Message::ReasonNameRefused;
}

}  // namespace rating
