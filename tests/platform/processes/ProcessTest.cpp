#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/files/HostFiles.h"
#include "platform/processes/Process.h"
#include "platform/processes/Terminal.h"
#include "platform/system/LastError.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

const fs::path kHelpers = PELLIX_TEST_HELPERS;

std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void WriteFile(const fs::path& file, const std::string& text, fs::perms perms) {
  testing_support::WriteFile(file, text);
  fs::permissions(file, perms);
}

bool Gone(int pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (fs::exists("/proc/" + std::to_string(pid))) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

bool StillOurChild(int pid) {
  int status = 0;
  return !(::waitpid(pid, &status, WNOHANG) < 0 && errno == ECHILD);
}

// C: is a scratch folder, D: the folder of the test helpers. Console
// programs go to a fake terminal that records what it was given, so no test
// ever opens a real terminal window.
class Process : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = testing_support::FreshFolder("process");
    root_ = scratch_ / "c";
    fs::create_directories(root_ / "My Files");
    platform::SetDriveMap({{'C', root_.string(), 3}, {'D', kHelpers.string(), 3}});
    record_ = scratch_ / "record.txt";
    terminalRecord_ = scratch_ / "terminal.txt";
    setenv("RECORD_ARGS_OUT", record_.c_str(), 1);
    setenv("FAKE_TERMINAL_OUT", terminalRecord_.c_str(), 1);
    unsetenv("RECORD_ARGS_SLEEP_MS");
    const fs::path terminal = scratch_ / "fake-terminal";
    WriteFile(terminal,
              "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$FAKE_TERMINAL_OUT\"\n",
              fs::perms::owner_all);
    setenv("PELLIX_TERMINAL", terminal.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("PELLIX_TERMINAL");
    unsetenv("RECORD_ARGS_SLEEP_MS");
    platform::SetProgramHostFolder("");
    platform::UseDefaultDriveMap();
  }

  // Starts, waits for the end, closes; the process's record.
  void Run(const std::string& commandLine, const std::string& folder) {
    PROCESS_INFORMATION info;
    ASSERT_TRUE(CreateProcessA(commandLine, folder, info)) << info.errorText;
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(StillOurChild(info.dwProcessId));
  }

  fs::path scratch_, root_, record_, terminalRecord_;
};

TEST_F(Process, StartsTheProgramInItsFolderWithWholeArguments) {
  const std::string program = (kHelpers / "record_args_gui").string();
  const struct {
    std::string commandLine;
    std::string folder;
    std::vector<std::string> record;
  } cases[] = {
      {R"(D:\record_args_gui "C:\My Files\a b.txt")", R"(C:\)", {root_.string(), program, R"(C:\My Files\a b.txt)"}},
      {R"(D:\record_args_gui x "y  z" "" C:\)",
       R"(C:\My Files)",
       {(root_ / "My Files").string(), program, "x", "y  z", "", R"(C:\)"}},
      {R"("D:\record_args_gui" )", R"(C:\My Files\)", {(root_ / "My Files").string(), program}},
      // A program and a working folder named by host paths.
      {'"' + program + "\" x", (root_ / "My Files").string(), {(root_ / "My Files").string(), program, "x"}},
  };
  for (const auto& c : cases) {
    fs::remove(record_);
    Run(c.commandLine, c.folder);
    EXPECT_EQ(Lines(record_), c.record) << c.commandLine;
  }
  EXPECT_FALSE(fs::exists(terminalRecord_));
}

TEST_F(Process, FindsProgramsWithBlanksInQuotesAndBareNamesInTheProgramFolder) {
  fs::create_directories(root_ / "My Programs");
  fs::copy_file(kHelpers / "record_args_gui", root_ / "My Programs" / "rec gui");
  Run(R"("C:\My Programs\rec gui" a)", R"(C:\)");
  EXPECT_EQ(Lines(record_),
            (std::vector<std::string>{root_.string(), (root_ / "My Programs" / "rec gui").string(), "a"}));

  platform::SetProgramHostFolder(kHelpers.string());
  Run("RECORD_ARGS_GUI b", R"(C:\)");
  EXPECT_EQ(Lines(record_), (std::vector<std::string>{root_.string(), (kHelpers / "record_args_gui").string(), "b"}));
}

TEST_F(Process, ReportsWhyAProgramCannotStart) {
  WriteFile(root_ / "plain.txt", "text\n", fs::perms::owner_read | fs::perms::owner_write);
  WriteFile(root_ / "garbage", "neither ELF nor script\n", fs::perms::owner_all);
  platform::SetProgramHostFolder(kHelpers.string());
  const struct {
    std::string commandLine;
    std::string folder;
    ProcessError error;
  } cases[] = {
      {"", "", ProcessError::EmptyCommandLine},
      {"  ", "", ProcessError::EmptyCommandLine},
      {R"("" x)", "", ProcessError::EmptyCommandLine},
      {R"(C:\missing.exe arg)", "", ProcessError::ProgramNotFound},
      {R"(C:\My Files\a.txt)", "", ProcessError::ProgramNotFound},  // unquoted: the program is C:\My
      {R"("C:\My Files")", "", ProcessError::ProgramNotFound},      // a folder
      {"pellix-no-such-program", "", ProcessError::ProgramNotFound},
      {R"(Q:\prog)", "", ProcessError::ProgramNotFound},  // a drive not in the map
      {R"(C:\plain.txt)", "", ProcessError::NotExecutable},
      {R"(C:\garbage)", "", ProcessError::NotExecutable},
      {R"(D:\record_args_gui)", R"(C:\no such folder)", ProcessError::WorkingFolderNotFound},
      {R"(D:\record_args_gui)", R"(C:\plain.txt)", ProcessError::WorkingFolderNotFound},
      {"/nonexistent/pellix-program", "", ProcessError::ProgramNotFound},
      {R"(D:\record_args_gui)", (root_ / "no such folder").string(), ProcessError::WorkingFolderNotFound},
  };
  for (const auto& c : cases) {
    PROCESS_INFORMATION info;
    EXPECT_FALSE(CreateProcessA(c.commandLine, c.folder, info)) << c.commandLine;
    EXPECT_EQ(info.error, c.error) << c.commandLine;
    EXPECT_EQ(GetLastError(), static_cast<std::uint32_t>(c.error));
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_FALSE(info.errorText.empty());
  }
  EXPECT_FALSE(fs::exists(record_));
}

TEST_F(Process, WaitsUntilTheProgramEnds) {
  setenv("RECORD_ARGS_SLEEP_MS", "300", 1);
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcessA(R"(D:\record_args_gui)", "", info)) << info.errorText;
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(fs::exists(record_));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(info.dwProcessId)));
  EXPECT_EQ(WaitForSingleObject(nullptr, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(CloseHandle(nullptr));
}

TEST_F(Process, LeavesNoZombieWhenClosedWhileRunning) {
  setenv("RECORD_ARGS_SLEEP_MS", "200", 1);
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcessA(R"(D:\record_args_gui)", "", info)) << info.errorText;
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(Gone(info.dwProcessId));  // a zombie would keep its /proc entry
  EXPECT_TRUE(fs::exists(record_));
}

TEST_F(Process, GivesAConsoleProgramATerminal) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcessA(R"(D:\record_args "C:\My Files\a b.txt" x)", R"(C:\My Files)", info)) << info.errorText;
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_EQ(Lines(terminalRecord_),
            (std::vector<std::string>{(root_ / "My Files").string(), "-e", (kHelpers / "record_args").string(),
                                      R"(C:\My Files\a b.txt)", "x"}));
  EXPECT_FALSE(fs::exists(record_));  // the fake terminal does not run it
}

// Only xterm is there, which may read a lone argument as a command line: a
// console program without arguments gets its terminal from a folder of any
// name, and the terminal runs it whole, in that folder.
TEST_F(Process, StartsAConsoleProgramInItsTerminalFromAnyFolder) {
  const auto env = platform::FindInExecutablePath("env");
  ASSERT_TRUE(env);
  const fs::path bin = scratch_ / "bin";
  fs::create_directories(bin);
  fs::create_symlink(*env, bin / "env");
  // Runs what follows its "-e" as xterm does, after recording it.
  WriteFile(bin / "xterm",
            "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$FAKE_TERMINAL_OUT\"\n"
            "shift\nexec \"$@\"\n",
            fs::perms::owner_all);
  unsetenv("PELLIX_TERMINAL");
  const testing_support::ScopedVariable searchPath("PATH", bin.string());
  const struct {
    const char* folder;
    bool throughEnv;
  } cases[] = {{"mydir", false}, {"my dir", true}, {"caf\xc3\xa9", true}, {"  two  blanks ", true}};
  for (const auto& c : cases) {
    const fs::path folder = root_ / c.folder;
    const fs::path program = folder / "run";
    fs::create_directories(folder);
    fs::copy_file(kHelpers / "record_args", program);
    fs::remove(record_);
    Run(std::string(R"("C:\)") + c.folder + R"(\run")", std::string(R"(C:\)") + c.folder);
    std::vector<std::string> terminal{folder.string(), "-e"};
    if (c.throughEnv) terminal.push_back((bin / "env").string());
    terminal.push_back(program.string());
    EXPECT_EQ(Lines(terminalRecord_), terminal) << c.folder;
    EXPECT_EQ(Lines(record_), (std::vector<std::string>{folder.string(), program.string()})) << c.folder;
  }

  // A path that env would take for a variable leaves no terminal.
  fs::create_directories(root_ / "a=b c");
  fs::copy_file(kHelpers / "record_args", root_ / "a=b c" / "run");
  PROCESS_INFORMATION info;
  EXPECT_FALSE(CreateProcessA(R"("C:\a=b c\run")", "", info));
  EXPECT_EQ(info.error, ProcessError::NoTerminal);
}

TEST_F(Process, FailsWithoutATerminal) {
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  fs::create_directories(scratch_ / "empty");
  const struct {
    const char* terminal;  // nullptr: none named
    std::string path;
  } cases[] = {{"/nonexistent/terminal", path}, {nullptr, (scratch_ / "empty").string()}};
  for (const auto& c : cases) {
    if (c.terminal)
      setenv("PELLIX_TERMINAL", c.terminal, 1);
    else
      unsetenv("PELLIX_TERMINAL");
    setenv("PATH", c.path.c_str(), 1);
    PROCESS_INFORMATION info;
    EXPECT_FALSE(CreateProcessA(R"(D:\record_args x)", "", info));
    EXPECT_EQ(info.error, ProcessError::NoTerminal);
    EXPECT_NE(info.errorText.find("terminal"), std::string::npos) << info.errorText;
  }
  setenv("PATH", path.c_str(), 1);
}

TEST(ConsoleProgram, IsKnownByItsLibrariesOrAsAScript) {
  const fs::path scratch = testing_support::FreshFolder("console-kind");
  WriteFile(scratch / "script", "#!/bin/sh\necho hi\n", fs::perms::owner_all);
  WriteFile(scratch / "text", "hello\n", fs::perms::owner_all);
  const struct {
    fs::path file;
    bool console;
  } cases[] = {
      {kHelpers / "record_args", true}, {kHelpers / "record_args_gui", false}, {scratch / "script", true},
      {scratch / "text", false},        {scratch / "missing", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::IsConsoleProgram(c.file.string()), c.console) << c.file;
  // The byte viewer is a console program; the file manager is not.
  const fs::path programs = PELLIX_PROGRAM_DIR;
  if (fs::exists(programs / "Quorvin.exe")) {
    EXPECT_TRUE(platform::IsConsoleProgram((programs / "Quorvin.exe").string()));
  }
  if (fs::exists(programs / "Pellix4.exe")) {
    EXPECT_FALSE(platform::IsConsoleProgram((programs / "Pellix4.exe").string()));
  }
}

}  // namespace
