#include "tests/support/ChildTests.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <vector>

extern char** environ;

namespace testing_support {

bool RunChildTests(const std::string& filter, const std::map<std::string, std::string>& variables) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    env[entry.substr(0, entry.find('='))] = entry.substr(entry.find('=') + 1);
  }
  for (const auto& [key, value] : variables) env[key] = value;
  std::vector<std::string> entries;
  for (const auto& [key, value] : env) entries.push_back(key + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : entries) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args{std::filesystem::read_symlink("/proc/self/exe").string(), "--gtest_filter=" + filter};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testing_support
