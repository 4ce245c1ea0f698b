#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/support/TempDrive.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using testing_support::ReadFile;

const fs::path kHelpers = PELLIX_TEST_HELPERS;

// Each case runs in a probe process of its own, whose GIO sees only the
// desktop entries, associations and types of this test: text/plain and
// https addresses open with the recording helper, nothing else has an
// application.
class ShellExecute : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = testing_support::FreshFolder("shell");
    for (const char* sub : {"data/applications", "config", "sysdata", "sysconfig", "c/docs"})
      fs::create_directories(scratch_ / sub);
    std::ofstream(scratch_ / "data/applications/pellix-record.desktop")
        << "[Desktop Entry]\nType=Application\nName=Record\nExec=" << (kHelpers / "record_args_gui").string()
        << " %f\nTerminal=false\n";
    std::ofstream(scratch_ / "data/applications/pellix-web.desktop")
        << "[Desktop Entry]\nType=Application\nName=Web\nExec=" << (kHelpers / "record_args_gui").string()
        << " %u\nTerminal=false\n";
    std::ofstream(scratch_ / "config/mimeapps.list")
        << "[Default Applications]\ntext/plain=pellix-record.desktop\nx-scheme-handler/https=pellix-web.desktop\n";
    std::ofstream(scratch_ / "c/docs/a b.txt") << "hello\n";
    std::ofstream(scratch_ / "c/docs/https:a.txt") << "a name, not an address\n";
    std::ofstream(scratch_ / "c/docs/b.bin", std::ios::binary) << std::string("\0\1\2\xff\xfe", 5);
  }

  // The probe's result line and children line, and what the helper recorded.
  std::string Probe(const std::string& file, const std::string& directory, const std::string& verb,
                    const std::string& cwd) {
    std::map<std::string, std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      env[entry.substr(0, entry.find('='))] = entry.substr(entry.find('=') + 1);
    }
    env["XDG_DATA_HOME"] = (scratch_ / "data").string();
    env["XDG_CONFIG_HOME"] = (scratch_ / "config").string();
    env["XDG_DATA_DIRS"] = (scratch_ / "sysdata").string();
    env["XDG_CONFIG_DIRS"] = (scratch_ / "sysconfig").string();
    env["RECORD_ARGS_OUT"] = (scratch_ / "record.txt").string();
    std::vector<std::string> entries;
    for (const auto& [key, value] : env) entries.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : entries) envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string probe = (kHelpers / "shell_open_probe").string();
    const std::string result = (scratch_ / "result.txt").string();
    const std::string root = (scratch_ / "c").string();
    std::vector<std::string> args{probe, result, root, file, directory, verb};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    fs::remove(result);
    fs::remove(scratch_ / "record.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string folder = (scratch_ / "c" / cwd).string();
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return "no probe";
    int status = 0;
    waitpid(pid, &status, 0);
    return ReadFile(result);
  }

  fs::path scratch_;
};

TEST_F(ShellExecute, OpensWithTheAssociatedApplicationOrFails) {
  const std::string opened = "result=42\nchildren=none\n";
  const struct {
    std::string file, directory, verb, cwd, result;
    bool recorded;
    std::string argument = "a b.txt";
  } cases[] = {
      {"a b.txt", R"(C:\docs)", "open", "", opened, true},
      {"a b.txt", R"(C:\docs\)", "OPEN", "", opened, true},
      {"a b.txt", "", "open", "docs", opened, true},  // the current folder
      {R"(C:\docs\a b.txt)", "", "-", "", opened, true},
      {R"(C:\docs\a b.txt)", R"(C:\elsewhere)", "", "", opened, true},
      {"a b.txt", R"(C:\)", "open", "docs", opened, true},  // the current folder before the directory
      {"b.bin", R"(C:\docs)", "open", "", "result=31\nchildren=none\n", false},
      {"missing.txt", R"(C:\docs)", "open", "", "result=2\nchildren=none\n", false},
      {"a b.txt", R"(C:\docs)", "print", "", "result=31\nchildren=none\n", false},
      {R"(Q:\a.txt)", "", "open", "", "result=3\nchildren=none\n", false},
      // Addresses go to the application for their scheme; a file of the same name wins.
      {"https://example.org/pellix/", "", "open", "", opened, true, "https://example.org/pellix/"},
      {"https:a.txt", R"(C:\docs)", "open", "", opened, true, "https:a.txt"},
      {"http://example.org/", "", "open", "", "result=31\nchildren=none\n", false},
      {"mailto:someone@example.org", "", "open", "", "result=31\nchildren=none\n", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Probe(c.file, c.directory, c.verb, c.cwd), c.result) << c.file << " in " << c.directory << " " << c.verb;
    if (c.recorded) {
      const std::string record = ReadFile(scratch_ / "record.txt");
      const std::string argument =
          c.argument.find("//") != std::string::npos ? c.argument : (scratch_ / "c/docs" / c.argument).string();
      EXPECT_NE(record.find("\n" + argument + "\n"), std::string::npos) << record;
    }
  }
}

}  // namespace
