#pragma once

// Runs a built program as a user would, for the tests of the command line.
#include <array>
#include <chrono>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rating::testing_support {

struct ProgramRun {
  int exitCode = -1;  // -1 where the program did not exit by itself
  std::string out;
  std::string err;
};

#ifdef _WIN32
// Runs `program` with `arguments` in `folder`, standard input empty.
// `environment` holds "NAME=value" to set and "NAME" to unset. Where
// `killAfter` is given, the program is killed that long after it starts.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::filesystem::path& folder,
                             const std::vector<std::string>& environment = {},
                             std::optional<std::chrono::milliseconds> killAfter = std::nullopt) {
  const auto wide = [](const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
  };
  // An argument quoted as the C run-time and CommandLineToArgvW read it back.
  const auto quoted = [](const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
      backslashes = 0;
      text += c;
    }
    text.append(2 * backslashes, L'\\');
    return text + L"\"";
  };
  std::wstring commandLine = quoted(wide(program));
  for (const std::string& argument : arguments) commandLine += L" " + quoted(wide(argument));

  // The environment, changed as asked; names compare without regard to case.
  std::vector<std::wstring> settings;
  const LPWCH inherited = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = inherited; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    settings.emplace_back(entry);
  }
  ::FreeEnvironmentStringsW(inherited);
  for (const std::string& change : environment) {
    const std::wstring setting = wide(change);
    const std::wstring name = setting.substr(0, setting.find(L'='));
    std::erase_if(settings, [&name](const std::wstring& entry) {
      return entry.size() > name.size() && entry[name.size()] == L'=' &&
             ::CompareStringOrdinal(entry.c_str(), static_cast<int>(name.size()), name.c_str(),
                                    static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
    });
    if (setting.find(L'=') != std::wstring::npos) settings.push_back(setting);
  }
  std::wstring block;
  for (const std::wstring& setting : settings) block += setting + L'\0';
  block += L'\0';

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  std::array<HANDLE, 2> out{};
  std::array<HANDLE, 2> err{};
  if (::CreatePipe(&out[0], &out[1], &inherit, 0) == 0 || ::CreatePipe(&err[0], &err[1], &inherit, 0) == 0) {
    return {};
  }
  ::SetHandleInformation(out[0], HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(err[0], HANDLE_FLAG_INHERIT, 0);
  const HANDLE nothing = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                       OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing;
  startup.hStdOutput = out[1];
  startup.hStdError = err[1];
  PROCESS_INFORMATION child{};
  const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(),
                                        folder.wstring().c_str(), &startup, &child) != 0;
  for (const HANDLE end : {out[1], err[1], nothing}) ::CloseHandle(end);
  ProgramRun run;
  // Reads what the pipe holds now; false once it is closed. The pipes are
  // read without blocking: a helper the system starts for the child may
  // hold their other ends after the child is gone.
  const auto take = [](HANDLE from, std::string* into) {
    DWORD waiting = 0;
    if (::PeekNamedPipe(from, nullptr, 0, nullptr, &waiting, nullptr) == 0) return false;
    std::string buffer(waiting, '\0');
    DWORD got = 0;
    if (waiting > 0 && ::ReadFile(from, buffer.data(), waiting, &got, nullptr) != 0)
      into->append(buffer, 0, got);
    return true;
  };
  if (started) {
    const auto start = std::chrono::steady_clock::now();
    bool killed = false;
    for (bool exited = false; !exited;) {
      exited = ::WaitForSingleObject(child.hProcess, 1) == WAIT_OBJECT_0;
      const bool outOpen = take(out[0], &run.out);
      const bool errOpen = take(err[0], &run.err);
      if (!outOpen && !errOpen) exited = ::WaitForSingleObject(child.hProcess, INFINITE) == WAIT_OBJECT_0;
      if (killAfter && !exited && !killed && std::chrono::steady_clock::now() - start >= *killAfter) {
        killed = ::TerminateProcess(child.hProcess, STATUS_CONTROL_C_EXIT) != 0;
      }
    }
    // What the child wrote just before it ended.
    take(out[0], &run.out);
    take(err[0], &run.err);
    DWORD status = 0;
    ::GetExitCodeProcess(child.hProcess, &status);
    run.exitCode = killed || status == STATUS_CONTROL_C_EXIT ? -1 : static_cast<int>(status);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
  }
  ::CloseHandle(out[0]);
  ::CloseHandle(err[0]);
  return run;
}

#else
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

#endif

}  // namespace rating::testing_support
