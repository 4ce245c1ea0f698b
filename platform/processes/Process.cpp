#include "platform/processes/Process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/files/HostFiles.h"
#include "platform/processes/ProcessArguments.h"
#include "platform/processes/Terminal.h"
#include "platform/system/LastError.h"

extern char** environ;

struct ProcessObject {
  pid_t pid = 0;
  bool reaped = false;
};

namespace {

// A file of the program folder named `name` ignoring ASCII case.
std::optional<std::string> ProgramFolderFile(const std::string& name) {
  return platform::FolderEntryIgnoringAsciiCase(platform::ProgramHostFolder(), name, platform::IsRegularHostFile);
}

std::optional<std::string> FindProgram(const std::string& name) {
  // A drive path never starts with a slash: such a name is a host path, as a
  // Linux user writes a program's path.
  if (name.front() == '/') {
    if (platform::IsRegularHostFile(name)) return name;
    return std::nullopt;
  }
  if (name.find_first_of("\\/:") != std::string::npos) {
    std::string drivePath = name;
    for (char& c : drivePath)
      if (c == '/') c = '\\';
    const auto host = platform::HostPath(drivePath);
    if (host && platform::IsRegularHostFile(*host)) return host;
    return std::nullopt;
  }
  if (auto found = ProgramFolderFile(name)) return found;
  return platform::FindInExecutablePath(name);
}

bool Fail(PROCESS_INFORMATION& info, ProcessError error, std::string text) {
  info.hProcess = nullptr;
  info.dwProcessId = 0;
  info.error = error;
  info.errorText = std::move(text);
  SetLastError(static_cast<std::uint32_t>(error));
  return false;
}

// posix_spawn's attributes and actions, released on every road.
class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

int Spawn(const std::vector<std::string>& argv, const std::string& workingFolder, pid_t& pid) {
  SpawnSetup setup;
  // The caller's blocked or ignored signals are its own business, not the
  // started program's.
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int sig :
       {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGALRM, SIGTERM, SIGUSR1, SIGUSR2, SIGCHLD, SIGTSTP, SIGTTIN, SIGTTOU})
    sigaddset(&defaults, sig);
  ::posix_spawnattr_setsigmask(&setup.attr_, &none);
  ::posix_spawnattr_setsigdefault(&setup.attr_, &defaults);
  ::posix_spawnattr_setflags(&setup.attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  if (!workingFolder.empty()) ::posix_spawn_file_actions_addchdir_np(&setup.actions_, workingFolder.c_str());
  // Only standard input, output and error pass to the program.
  ::posix_spawn_file_actions_addclosefrom_np(&setup.actions_, 3);

  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  return ::posix_spawn(&pid, argv[0].c_str(), &setup.actions_, &setup.attr_, args.data(), environ);
}

void Reap(ProcessObject& process) {
  int status = 0;
  while (::waitpid(process.pid, &status, 0) < 0 && errno == EINTR) {
  }
  process.reaped = true;
}

}  // namespace

bool CreateProcessA(const std::string& commandLine, const std::string& currentDirectory, PROCESS_INFORMATION& info) {
  const std::vector<std::string> args = platform::SplitProcessCommandLine(commandLine);
  if (args.empty() || args[0].empty())
    return Fail(info, ProcessError::EmptyCommandLine, "The command line names no program.");

  const auto program = FindProgram(args[0]);
  if (!program) return Fail(info, ProcessError::ProgramNotFound, "The program " + args[0] + " was not found.");
  if (::access(program->c_str(), X_OK) != 0)
    return Fail(info, ProcessError::NotExecutable, "The file " + args[0] + " may not be run as a program.");

  std::string workingFolder;
  if (!currentDirectory.empty()) {
    const auto host = currentDirectory.front() == '/' ? std::optional<std::string>(currentDirectory)
                                                      : platform::HostPath(currentDirectory);
    if (!host || !platform::IsHostFolder(*host))
      return Fail(info, ProcessError::WorkingFolderNotFound, "The folder " + currentDirectory + " was not found.");
    workingFolder = *host;
  }

  std::vector<std::string> argv = args;
  argv[0] = *program;
  const bool console = platform::IsConsoleProgram(*program);
  if (console) {
    std::string reason;
    auto terminal = platform::TerminalArguments(argv, reason);
    if (!terminal) return Fail(info, ProcessError::NoTerminal, reason);
    argv = std::move(*terminal);
  }

  pid_t pid = 0;
  const int error = Spawn(argv, workingFolder, pid);
  if (error != 0) {
    if (console)
      return Fail(info, ProcessError::NoTerminal,
                  "The terminal program " + argv[0] + " could not be started for the console program " + args[0] + ".");
    switch (error) {
      case EACCES:
      case ENOEXEC:
      case ENOENT:  // the file is there, so its interpreter or loader is not
      case ENOTDIR:
      case ELOOP:
      case ETXTBSY:
        return Fail(info, ProcessError::NotExecutable, "The file " + args[0] + " cannot be started as a program.");
      default:
        return Fail(info, ProcessError::SystemError,
                    "The program " + args[0] + " could not be started: " + std::system_category().message(error) + ".");
    }
  }
  info.hProcess = new ProcessObject{pid, false};
  info.dwProcessId = pid;
  info.error = ProcessError::None;
  info.errorText.clear();
  return true;
}

std::uint32_t WaitForSingleObject(HPROCESS process, std::uint32_t milliseconds) {
  if (process == nullptr) return WAIT_FAILED;
  if (process->reaped) return WAIT_OBJECT_0;
  if (milliseconds == INFINITE) {
    Reap(*process);
    return WAIT_OBJECT_0;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    int status = 0;
    const pid_t r = ::waitpid(process->pid, &status, WNOHANG);
    if (r == process->pid || (r < 0 && errno == ECHILD)) {
      process->reaped = true;
      return WAIT_OBJECT_0;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return WAIT_TIMEOUT;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(deadline - now, std::chrono::milliseconds(5)));
  }
}

bool CloseHandle(HPROCESS process) {
  if (process == nullptr) return false;
  if (!process->reaped) {
    int status = 0;
    const pid_t r = ::waitpid(process->pid, &status, WNOHANG);
    if (r == 0) {
      // Still running: a waiter of its own reaps exactly this child when it
      // ends, so no zombie stays and no other child is touched.
      try {
        std::thread([pid = process->pid] {
          int st = 0;
          while (::waitpid(pid, &st, 0) < 0 && errno == EINTR) {
          }
        }).detach();
      } catch (const std::system_error&) {
        // Without a thread the child stays a zombie until this program ends.
      }
    }
  }
  delete process;
  return true;
}
