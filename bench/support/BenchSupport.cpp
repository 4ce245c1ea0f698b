#include "bench/support/BenchSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <cstdlib>
#include <fstream>

extern char** environ;

namespace bench {

double Seconds(const std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

ToolRun RunTool(const std::vector<std::string>& arguments, const Output output) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output == Output::Discarded) posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ToolRun run;
  // The clock starts once everything the spawn needs is ready.
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    const bool waited = waitpid(pid, &status, 0) == pid;
    run.seconds = Seconds(start);
    run.succeeded = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

std::string MakeTempFolder(const std::filesystem::path& parent, const std::string& prefix) {
  std::string pattern = (parent / (prefix + "-XXXXXX")).string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

std::filesystem::path MakeProgramFolder(const std::filesystem::path& root, const std::filesystem::path& built,
                                        const std::string& types) {
  const std::filesystem::path program = root / "Pellix4";
  std::filesystem::create_directories(program / "Windows" / "System32");
  std::filesystem::copy_file(built / "PX4Images.dll", program / "PX4Images.dll");
  std::filesystem::copy_file(built / "Windows" / "System32" / "SHELL32.DLL",
                             program / "Windows" / "System32" / "SHELL32.DLL");
  std::ofstream(program / "RegInfo.ini") << "PX41\r\n" << types;
  return program;
}

std::filesystem::path TmpDir() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

void UseSystemMimeDatabase() {
  setenv("XDG_DATA_HOME", "/nonexistent", 1);
  setenv("XDG_DATA_DIRS", "/usr/share", 1);
  setenv("XDG_CONFIG_HOME", "/nonexistent", 1);
  setenv("XDG_CONFIG_DIRS", "/nonexistent", 1);
}

}  // namespace bench
