#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <langinfo.h>
#include <system_error>
#include <unistd.h>

#include "platform/platform.h"

namespace rating::platform {

std::string UserDecimalSeparator() {
  // The user's numeric locale without making it the program's own: the
  // engine's and the files' numbers stay independent of it.
  const locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (user == static_cast<locale_t>(nullptr)) return ".";
  const char* radix = ::nl_langinfo_l(RADIXCHAR, user);
  std::string separator = radix != nullptr && *radix != '\0' ? radix : ".";
  ::freelocale(user);
  return separator;
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : program.parent_path();
}

bool IsInstalledProgramFolder(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::equivalent(folder, RATING_INSTALL_BINDIR, error);
}

bool MayCreateFilesIn(const std::filesystem::path& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path HomeFolder() {
  const char* home = std::getenv("HOME");  // NOLINT(concurrency-mt-unsafe): read once at start-up
  return home != nullptr ? home : "";
}

std::filesystem::path DocumentsFolder() {
  // The XDG user folder, as the desktop names it in user-dirs.dirs:
  // XDG_DOCUMENTS_DIR="$HOME/Documents".
  const std::filesystem::path home = HomeFolder();
  if (home.empty()) return {};
  const char* config = std::getenv("XDG_CONFIG_HOME");  // NOLINT(concurrency-mt-unsafe)
  const std::filesystem::path configFolder =
      config != nullptr && *config != '\0' ? std::filesystem::path(config) : home / ".config";
  std::ifstream dirs(configFolder / "user-dirs.dirs");
  constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
  constexpr std::string_view kHome = "$HOME";
  for (std::string line; std::getline(dirs, line);) {
    if (!line.starts_with(kKey) || !line.ends_with('"')) continue;
    std::string value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
    if (value.starts_with(kHome)) return home.string() + value.substr(kHome.size());
    if (value.starts_with('/')) return value;
  }
  return home / "Documents";
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return {argv, argv + argc};  // NOLINT(cppcoreguidelines-pro-bounds-pointer-arithmetic): argv is argc long
}

bool WriteStandard(StandardStream stream, std::string_view utf8) {
  const int descriptor = stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
  while (!utf8.empty()) {
    const ::ssize_t written = ::write(descriptor, utf8.data(), utf8.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    utf8.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string_view TextLineEnd() { return "\n"; }

bool IsTerminal(StandardStream stream) {
  return ::isatty(stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

void MarkRunning() {}

}  // namespace rating::platform
