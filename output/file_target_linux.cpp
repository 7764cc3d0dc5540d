#include <cerrno>
#include <climits>  // NAME_MAX
#include <cstdlib>  // realpath
#include <fcntl.h>  // open and its flags
#include <memory>
#include <sys/stat.h>  // stat, fstat
#include <system_error>
#include <unistd.h>  // write, fsync, close, dup

#include "output/file_target.h"

namespace rating {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSymlinkHops = 40;  // the system's own limit

[[noreturn]] void Fail(int error) { throw std::system_error(error, std::generic_category()); }

// Follows symbolic links, relative ones from the link's own folder, to the
// name that opening `name` would create or write.
fs::path FollowLinks(const std::string& name) {
  fs::path target = name;
  for (int hops = 0;; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    if (hops == kMaxSymlinkHops) Fail(ELOOP);
    const fs::path link = fs::read_symlink(target, error);
    if (error) Fail(error.value());
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
}

bool IsDeviceOrFifo(const std::string& name) {
  struct stat status {};
  return ::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

}  // namespace

bool IsStandardOutput(std::string_view name) {
  if (name == "/dev/stdout" || name == "/dev/fd/1" || name == "/proc/self/fd/1") return true;
  // Any other name of the same file: a link to /dev/stdout, the terminal's
  // own name, or the file the shell redirected standard output to.
  struct stat named {};
  struct stat output {};
  return !name.empty() && name.find('\0') == std::string_view::npos &&
         ::stat(std::string(name).c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 &&
         named.st_dev == output.st_dev && named.st_ino == output.st_ino;
}

bool IsWrittenInPlace(const std::string& name) {
  return name.find('\0') == std::string::npos && (IsStandardOutput(name) || IsDeviceOrFifo(name));
}

std::string TargetIdentity(const fs::path& resolved) { return resolved.string(); }

fs::path ResolveTarget(const std::string& name) {
  if (name.empty()) Fail(ENOENT);
  // The system would stop at a NUL byte and write another file.
  if (name.find('\0') != std::string::npos) Fail(EINVAL);
  if (IsStandardOutput(name)) return "/dev/stdout";

  struct stat status {};
  if (::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    if (S_ISDIR(status.st_mode)) Fail(EISDIR);
    // A device or FIFO, opened by its name: links such as /dev/stderr lead
    // to names that only the system can follow.
    return fs::absolute(name).lexically_normal();
  }
  const fs::path target = FollowLinks(name);
  const fs::path file = target.filename();
  if (file.empty() || file == "." || file == "..") Fail(EISDIR);
  if (file.string().size() > NAME_MAX) Fail(ENAMETOOLONG);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr), &std::free);
  if (real == nullptr) Fail(errno);
  return fs::path(real.get()) / file;
}

void WriteInPlace(const std::string& name, std::string_view bytes) {
  const int descriptor =
      IsStandardOutput(name) ? ::dup(STDOUT_FILENO) : ::open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (descriptor < 0) Fail(errno);
  int error = 0;
  while (!bytes.empty() && error == 0) {
    const ::ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? errno : EIO;
    } else {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  }
  // Pipes, terminals and most devices cannot be synced; they hold nothing to lose.
  if (error == 0 && ::fsync(descriptor) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP) {
    error = errno;
  }
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error != 0) Fail(error);
}

}  // namespace rating
