#pragma once

// Runs a built program as a user would, for the tests of the command line.
#include <array>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace rating::testing_support {

struct ProgramRun {
  int exitCode = -1;  // -1 where the program did not exit by itself
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` in `folder`, standard input empty.
// `environment` holds "NAME=value" to set and "NAME" to unset. Where
// `killAfter` is given, the program is killed that long after it starts.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::filesystem::path& folder,
                             const std::vector<std::string>& environment = {},
                             std::optional<std::chrono::milliseconds> killAfter = std::nullopt) {
  std::array<int, 2> out{};
  std::array<int, 2> err{};
  if (::pipe(out.data()) != 0 || ::pipe(err.data()) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    const int nothing = ::open("/dev/null", O_RDONLY);
    ::dup2(nothing, STDIN_FILENO);
    for (const int end : {out[0], out[1], err[0], err[1], nothing}) ::close(end);
    for (const std::string& setting : environment) {
      const std::size_t equals = setting.find('=');
      if (equals == std::string::npos) {
        ::unsetenv(setting.c_str());
      } else {
        ::setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
      }
    }
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  std::thread killer;
  if (killAfter) {
    killer = std::thread([child, delay = *killAfter] {
      std::this_thread::sleep_for(delay);
      ::kill(child, SIGKILL);
    });
  }
  ProgramRun run;
  std::array<pollfd, 2> ends{{{out[0], POLLIN, 0}, {err[0], POLLIN, 0}}};
  std::array<std::string*, 2> into{&run.out, &run.err};
  for (int open = 2; open > 0;) {
    if (::poll(ends.data(), ends.size(), -1) < 0) break;
    for (std::size_t i = 0; i < ends.size(); ++i) {
      if (ends[i].fd < 0 || ends[i].revents == 0) continue;
      std::array<char, 65536> buffer{};
      const ssize_t got = ::read(ends[i].fd, buffer.data(), buffer.size());
      if (got > 0) {
        into[i]->append(buffer.data(), static_cast<std::size_t>(got));
      } else {
        ::close(ends[i].fd);
        ends[i].fd = -1;
        --open;
      }
    }
  }
  // The child is reaped only after the killer is done, so that it never
  // signals another process that took the child's number.
  if (killer.joinable()) killer.join();
  int status = 0;
  ::waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace rating::testing_support
