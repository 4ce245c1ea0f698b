#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "app/RegForm.h"
#include "app/StartFolder.h"
#include "app/ViewTypes.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/files/HostFiles.h"
#include "tests/support/ChildTests.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

const fs::path kHelpers = PELLIX_TEST_HELPERS;
const fs::path kPrograms = PELLIX_PROGRAM_DIR;

using testing_support::ReadFile;
using testing_support::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What one started program recorded: its working folder, then its argv
// (for a console program, the fake terminal's: "-e", the program, its
// arguments); and its process id, which gives the order of the starts.
struct Record {
  int pid = 0;
  std::vector<std::string> lines;
};

// The program folder "P:\Pellix Programs\" (a blank in every program path)
// holds the resource libraries, the file-type table below, the byte viewer
// and, as the other viewers, the options program and the program itself,
// copies of a helper that records how it was started. C:\Data holds the
// files to open. Console programs go to a fake terminal that records what it
// was given and starts nothing.
class OpenFiles : public ::testing::Test {
 protected:
  static constexpr const char* kTable =
      "PX41\n"
      ".TXT; Text; -; 0; 3;\n"
      ".JPG; Picture; -; 0; 4;\n"
      ".BIN; Bytes; -; 0; 2;\n"
      ".RUN; Program; -; 0; 6;\n"
      ".CDA; Track; -; 0; 7;\n"
      ".SHL; Shell; -; 0; 1;\n"
      ".NEG; Negative; -; 0; -1;\n"
      ".ZER; Zero; -; 0; 0;\n"
      ".FIV; Five; -; 0; 5;\n";

  void SetUp() override {
    scratch_ = testing_support::FreshFolder("open-files");
    root_ = scratch_ / "c";
    programs_ = scratch_ / "p" / "Pellix Programs";
    records_ = scratch_ / "records";
    fs::create_directories(root_ / "Data");
    fs::create_directories(records_);
    fs::create_directories(programs_);
    fs::create_directories(programs_ / "Windows" / "System32");
    fs::copy_file(kPrograms / "PX4Images.dll", programs_ / "PX4Images.dll");
    fs::copy_file(kPrograms / "Windows" / "System32" / "SHELL32.DLL",
                  programs_ / "Windows" / "System32" / "SHELL32.DLL");
    fs::copy_file(kPrograms / "Quorvin.exe", programs_ / "Quorvin.exe");
    for (const char* name : {"Scrivet.exe", "Lumbrel.exe", "Dorrin2.exe", "Pellix4.exe", "PX4Options.exe"})
      fs::copy_file(kHelpers / "record_args_gui", programs_ / name);
    WriteFile(programs_ / "RegInfo.ini", kTable);

    platform::SetProgramHostFolder(programs_.string());
    platform::SetDriveMap({{'C', root_.string(), 3}, {'P', (scratch_ / "p").string(), 3}});
    unsetenv("RECORD_ARGS_OUT");
    unsetenv("RECORD_ARGS_SLEEP_MS");
    unsetenv("RECORD_ARGS_SNAPSHOT");
    setenv("RECORD_ARGS_DIR", records_.c_str(), 1);
    const fs::path terminal = scratch_ / "fake-terminal";
    WriteFile(terminal,
              "#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > \"$RECORD_ARGS_DIR/$$.part\"\n"
              "mv \"$RECORD_ARGS_DIR/$$.part\" \"$RECORD_ARGS_DIR/$$\"\n");
    fs::permissions(terminal, fs::perms::owner_all);
    setenv("PELLIX_TERMINAL", terminal.c_str(), 1);

    hostCwd_ = fs::current_path();
    // Built as the entry builds it, on the tail C:\Data.
    Application->SetTitle("C:\\Data");
    Application->CreateForm(MainForm);
    form_ = MainForm;
  }

  void TearDown() override {
    if (form_ == nullptr) return;  // skipped before anything was set up
    delete form_;
    fs::current_path(hostCwd_);
    platform::ForgetCurrentFolder();
    unsetenv("PELLIX_TERMINAL");
    unsetenv("RECORD_ARGS_DIR");
    unsetenv("RECORD_ARGS_SLEEP_MS");
    unsetenv("RECORD_ARGS_SNAPSHOT");
    platform::UseDefaultDriveMap();
    platform::SetProgramHostFolder("");
  }

  // Lists a folder (a drive path) and selects the named files.
  void Select(const std::string& folder, const std::vector<std::string>& names) {
    form_->FileList->SetDirectory(folder);
    form_->FileList->Refresh_List();  // files made since the window opened its start folder
    form_->DirList->Location = folder;
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      (*items)[i]->SetSelected(std::find(names.begin(), names.end(), (*items)[i]->Caption()) != names.end());
    ASSERT_EQ(form_->FileList->SelCount(), static_cast<int>(names.size()));
  }

  // Waits until `count` programs have recorded their start; the records in
  // the order the programs were started.
  std::vector<Record> Records(std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<Record> records;
    for (;;) {
      records.clear();
      for (const auto& entry : fs::directory_iterator(records_)) {
        const std::string name = entry.path().filename().string();
        if (name.find('.') != std::string::npos) continue;
        records.push_back({std::stoi(name), Lines(ReadFile(entry.path()))});
      }
      if (records.size() >= count || std::chrono::steady_clock::now() > deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.pid < b.pid; });
    return records;
  }

  void ClearRecords() {
    Records(0);
    fs::remove_all(records_);
    fs::create_directories(records_);
  }

  std::string Program(const char* name) const { return (programs_ / name).string(); }
  // The host path of a file of C:, given relative to its root.
  std::string Host(const std::string& relative) const { return (root_ / relative).string(); }
  std::vector<std::string> Viewer(const char* name, const std::string& argument) const {
    return {programs_.string(), Program(name), argument};
  }
  std::vector<std::string> ByteViewer(const std::string& argument) const {
    return {programs_.string(), "-e", Program("Quorvin.exe"), argument};
  }

  fs::path hostCwd_, scratch_, root_, programs_, records_;
  testing_support::ScriptedMessageBoxes boxes_;
  TMainForm* form_ = nullptr;
};

TEST_F(OpenFiles, OpensFilesOfDifferentTypesInListOrder) {
  WriteFile(root_ / "Data" / "a.txt", "text\n");
  WriteFile(root_ / "Data" / "b.jpg", "picture");
  fs::copy_file(kHelpers / "record_args_gui", root_ / "Data" / "c.run");
  Select("C:\\Data\\", {"a.txt", "b.jpg", "c.run"});
  form_->RunSelected(vwByFileType);
  const std::vector<Record> records = Records(3);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].lines, Viewer("Scrivet.exe", Host("Data/a.txt")));
  EXPECT_EQ(records[1].lines, Viewer("Lumbrel.exe", Host("Data/b.jpg")));
  // The file itself, in its own folder, without an argument.
  EXPECT_EQ(records[2].lines,
            (std::vector<std::string>{(root_ / "Data").string(), (root_ / "Data" / "c.run").string()}));
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(OpenFiles, ChoosesTheViewerByTheRequestedOrLearnedType) {
  for (const char* name : {"x.txt", "x.jpg", "x.neg", "x.zer", "x.fiv", "x.bin"}) WriteFile(root_ / "Data" / name, "x");
  const struct {
    short type;
    const char* name;
    const char* viewer;  // nullptr: the byte viewer in a terminal
  } cases[] = {
      {vwByFileType, "x.neg", "Scrivet.exe"},  // a negative type in the table
      {vwByFileType, "x.zer", "Scrivet.exe"},
      {vwByFileType, "x.fiv", "Scrivet.exe"},
      {vwByFileType, "x.bin", nullptr},
      {-2, "x.jpg", "Lumbrel.exe"},  // any negative request
      {vwImageViewer, "x.txt", "Lumbrel.exe"},
      {vwTextViewer, "x.jpg", "Scrivet.exe"},
      {vwByteViewer, "x.txt", nullptr},
      {0, "x.jpg", "Scrivet.exe"},
      {5, "x.jpg", "Scrivet.exe"},
      {8, "x.jpg", "Scrivet.exe"},
  };
  for (const auto& c : cases) {
    ClearRecords();
    Select("C:\\Data\\", {c.name});
    form_->RunSelected(c.type);
    const std::vector<Record> records = Records(1);
    ASSERT_EQ(records.size(), 1u) << c.name << " as " << c.type;
    const std::string path = Host(std::string("Data/") + c.name);
    EXPECT_EQ(records[0].lines, c.viewer ? Viewer(c.viewer, path) : ByteViewer(path)) << c.name << " as " << c.type;
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(OpenFiles, StartsTheCDPlayerOncePerFileWithoutArgument) {
  WriteFile(root_ / "Data" / "t1.cda", "1");
  WriteFile(root_ / "Data" / "t2.cda", "2");
  Select("C:\\Data\\", {"t1.cda", "t2.cda"});
  form_->RunSelected(vwByFileType);
  const std::vector<Record> records = Records(2);
  ASSERT_EQ(records.size(), 2u);
  for (const Record& record : records)
    EXPECT_EQ(record.lines, (std::vector<std::string>{programs_.string(), Program("Dorrin2.exe")}));
}

TEST_F(OpenFiles, AFileInADriveRootGetsOneBackslash) {
  WriteFile(root_ / "r.bin", "bytes");
  fs::copy_file(kHelpers / "record_args_gui", root_ / "r.run");
  Select("C:\\", {"r.bin", "r.run"});
  form_->RunSelected(vwByFileType);
  const std::vector<Record> records = Records(2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].lines, ByteViewer(Host("r.bin")));
  // The root is the working folder: the folder part keeps its backslash.
  EXPECT_EQ(records[1].lines, (std::vector<std::string>{root_.string(), (root_ / "r.run").string()}));
}

TEST_F(OpenFiles, APathWithBlanksReachesTheByteViewerWhole) {
  WriteFile(root_ / "My Data" / "a  b.bin", "bytes");
  Select("C:\\My Data\\", {"a  b.bin"});
  form_->RunSelected(vwByteViewer);
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, ByteViewer(Host("My Data/a  b.bin")));
}

TEST_F(OpenFiles, AMissingProgramIsReportedAndTheNextFileStillOpens) {
  WriteFile(root_ / "Data" / "a.txt", "a");
  WriteFile(root_ / "Data" / "b.jpg", "b");
  WriteFile(root_ / "Data" / "c.txt", "c");
  form_->Programs[5] = "";
  Select("C:\\Data\\", {"a.txt", "b.jpg", "c.txt"});
  form_->RunSelected(vwByFileType);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"File not found: ", "File not found: "}));
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, Viewer("Lumbrel.exe", Host("Data/b.jpg")));
}

TEST_F(OpenFiles, RunProgramReportsWhatCannotBeStarted) {
  WriteFile(root_ / "plain.txt", "not a program");
  fs::create_directories(root_ / "folder.exe");
  const struct {
    std::string program, message;
  } cases[] = {
      {"", "File not found: "},
      {R"(C:\missing.exe)", R"(File not found: C:\missing.exe)"},
      {R"(C:\folder.exe)", R"(File not found: C:\folder.exe)"},  // a folder is no program file
      {R"(C:\plain.txt)", R"(Unable to run program: C:\plain.txt)"},
  };
  for (const auto& c : cases) {
    boxes_.Clear();
    form_->RunProgram(c.program, "x", false);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{c.message}) << c.program;
    EXPECT_EQ(boxes_.Shown().at(0).Flags, MB_OK);
  }

  // A console program without a terminal says why.
  setenv("PELLIX_TERMINAL", (scratch_ / "no-terminal").c_str(), 1);
  boxes_.Clear();
  form_->RunProgram(form_->Programs[1], "C:\\x", false);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  const std::string text = boxes_.Texts()[0];
  EXPECT_EQ(text.rfind("Unable to run program: " + form_->Programs[1] + "\n", 0), 0u) << text;
  EXPECT_NE(text.find("terminal"), std::string::npos) << text;
  EXPECT_TRUE(Records(0).empty());
}

TEST_F(OpenFiles, RunProgramWaitsOnlyWhenAsked) {
  for (const bool wait : {false, true}) {
    // Long enough without waiting that the program still runs when its record is read.
    setenv("RECORD_ARGS_SLEEP_MS", wait ? "300" : "3000", 1);
    ClearRecords();
    form_->RunProgram(form_->Programs[5], "a b", wait);
    // The record is written before the sleep; the process id names it.
    const std::vector<Record> records = Records(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].lines, Viewer("Scrivet.exe", "a b"));
    EXPECT_EQ(fs::exists("/proc/" + std::to_string(records[0].pid)), !wait) << "wait " << wait;
  }
}

// Viewers named in "Settings.ini" by host paths, as a Linux user names the
// programs already on the machine: each starts in its own folder and gets
// the file's host path, and a missing one is reported by its path.
TEST_F(OpenFiles, ViewersNamedByHostPathsStartInTheirFolders) {
  const fs::path bin = scratch_ / "usr" / "local bin";
  fs::create_directories(bin);
  fs::copy_file(kHelpers / "record_args_gui", bin / "imageviewer");
  fs::copy_file(kHelpers / "record_args", bin / "hexviewer");
  WriteFile(programs_ / "Settings.ini", "[PX41]\nIMG=" + (bin / "imageviewer").string() +
                                            "\nBIN=" + (bin / "hexviewer").string() +
                                            "\nTXT=" + (bin / "missing").string() + "\n");
  PXManager->LoadPrograms(form_->ProgramDir + "Settings.ini");
  ASSERT_EQ(form_->Programs[4], (bin / "imageviewer").string());
  WriteFile(root_ / "Data" / "a b.jpg", "picture");
  WriteFile(root_ / "Data" / "c.bin", "bytes");
  Select("C:\\Data\\", {"a b.jpg", "c.bin"});
  form_->RunSelected(vwByFileType);
  form_->ViewAsText("C:\\Data\\c.bin");
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"File not found: " + (bin / "missing").string()});
  const std::vector<Record> records = Records(2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].lines,
            (std::vector<std::string>{bin.string(), (bin / "imageviewer").string(), Host("Data/a b.jpg")}));
  // A console viewer goes to its terminal, still in its own folder.
  EXPECT_EQ(records[1].lines,
            (std::vector<std::string>{bin.string(), "-e", (bin / "hexviewer").string(), Host("Data/c.bin")}));
}

// Ctrl+E on a script in a folder whose name holds a blank or an accent, on a
// desktop whose only terminals (x-terminal-emulator, xterm) may read a lone
// argument as a command line: the script still gets its terminal, in its
// own folder.
TEST_F(OpenFiles, AScriptRunsInItsTerminalFromAFolderOfAnyName) {
  const auto env = platform::FindInExecutablePath("env");
  const auto mv = platform::FindInExecutablePath("mv");
  ASSERT_TRUE(env && mv);
  const fs::path bin = scratch_ / "bin";
  fs::create_directories(bin);
  fs::create_symlink(*env, bin / "env");
  for (const char* name : {"x-terminal-emulator", "xterm"}) {
    WriteFile(bin / name, "#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > \"$RECORD_ARGS_DIR/$$.part\"\n" + *mv +
                              " \"$RECORD_ARGS_DIR/$$.part\" \"$RECORD_ARGS_DIR/$$\"\n");
    fs::permissions(bin / name, fs::perms::owner_all);
  }
  unsetenv("PELLIX_TERMINAL");
  const testing_support::ScopedVariable searchPath("PATH", bin.string());
  for (const char* folder : {"my dir", "caf\xc3\xa9"}) {
    ClearRecords();
    WriteFile(root_ / folder / "run.sh", "#!/bin/sh\necho hi\n");
    fs::permissions(root_ / folder / "run.sh", fs::perms::owner_all);
    Select(std::string("C:\\") + folder + "\\", {"run.sh"});
    unsigned short key = 'E';
    form_->FormKeyDown(form_, key, ssCtrl);
    const std::vector<Record> records = Records(1);
    ASSERT_EQ(records.size(), 1u) << folder;
    EXPECT_EQ(records[0].lines, (std::vector<std::string>{Host(folder), "-e", (bin / "env").string(),
                                                          Host(std::string(folder) + "/run.sh")}))
        << folder;
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

// A name spelled in another case reaches the viewer as the file's own name.
TEST_F(OpenFiles, TheViewerGetsTheFilesOwnSpelling) {
  WriteFile(root_ / "Data" / "Report.TXT", "text");
  form_->ViewAsText("c:\\data\\report.txt");
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, Viewer("Scrivet.exe", Host("Data/Report.TXT")));
}

// After a tree node was only expanded, Location names another folder than
// the one listed; the selected names are the listed folder's.
TEST_F(OpenFiles, PathsAreBuiltFromTheListedFolder) {
  WriteFile(root_ / "Data" / "a.txt", "listed");
  WriteFile(root_ / "Other" / "a.txt", "same name elsewhere");
  Select("C:\\Data\\", {"a.txt"});
  form_->DirList->Location = "C:\\Other";
  form_->RunSelected(vwTextViewer);
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, Viewer("Scrivet.exe", Host("Data/a.txt")));
}

TEST_F(OpenFiles, TheDoubleClickOpensByFileType) {
  WriteFile(root_ / "Data" / "a.jpg", "a");
  Select("C:\\Data\\", {"a.jpg"});
  ASSERT_TRUE(form_->FileList->OnDblClick);
  form_->FileList->OnDblClick(form_->FileList);
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, Viewer("Lumbrel.exe", Host("Data/a.jpg")));
}

TEST_F(OpenFiles, NothingSelectedOpensNothing) {
  WriteFile(root_ / "Data" / "a.txt", "a");
  Select("C:\\Data\\", {});
  form_->RunSelected(vwByFileType);
  form_->RunSelected(vwTextViewer);
  EXPECT_TRUE(Records(0).empty());
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(OpenFiles, TheRestartQuestionActsOnlyOnYes) {
  boxes_.Script({IDNO});
  form_->ResetProgram();
  ASSERT_EQ(boxes_.Shown().size(), 1u);
  EXPECT_EQ(boxes_.Shown()[0].Text, "Pellix Must be Reset now, Continue?");
  EXPECT_EQ(boxes_.Shown()[0].Caption, "Reset?");
  EXPECT_EQ(boxes_.Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_FALSE(fs::exists(programs_ / "Settings.ini"));
  EXPECT_TRUE(Records(0).empty());
}

TEST_F(OpenFiles, TheRestartStartsTheProgramOnTheSameFolderAfterTheSettingsAreWritten) {
  fs::create_directories(root_ / "My Data");
  form_->DirList->Location = "C:\\My Data\\";
  setenv("RECORD_ARGS_SNAPSHOT", "Settings.ini", 1);
  boxes_.Script({IDYES});
  form_->ResetProgram();
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  const std::vector<std::string>& lines = records[0].lines;
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], programs_.string());
  EXPECT_EQ(lines[1], Program("Pellix4.exe"));
  // One argument, the folder's host path, and the new copy's start folder is
  // the folder the tree showed.
  EXPECT_EQ(lines[2], Host("My Data"));
  EXPECT_EQ(CommandLineTail({lines[2]}), "C:\\My Data");
  // What the new copy found in "Settings.ini" when it started: the layout
  // the closing window wrote, whole.
  const std::string settings = ReadFile(programs_ / "Settings.ini");
  ASSERT_NE(settings.find("[VIEW]"), std::string::npos);
  std::string snapshot;
  for (std::size_t i = 3; i < lines.size(); ++i) snapshot += lines[i] + "\n";
  EXPECT_EQ(snapshot, settings);
}

TEST_F(OpenFiles, ProgramOptionsAreWaitedForThenTheRestartIsOffered) {
  setenv("RECORD_ARGS_SLEEP_MS", "300", 1);
  boxes_.Script({IDNO});
  form_->RunProgramOptions();
  const std::vector<Record> records = Records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].lines, (std::vector<std::string>{programs_.string(), Program("PX4Options.exe")}));
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(records[0].pid)));
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Pellix Must be Reset now, Continue?"});

  fs::remove(programs_ / "PX4Options.exe");
  boxes_.Clear();
  boxes_.Script({IDNO});
  form_->RunProgramOptions();
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"File not found: " + form_->ProgramDir + "PX4Options.exe",
                                                      "Pellix Must be Reset now, Continue?"}));
}

TEST_F(OpenFiles, LearningFileTypesThenOffersTheRestart) {
  boxes_.Script({IDNO, IDNO});  // no relearning, no restart
  LearnForm = nullptr;
  form_->LearnFileTypes();
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Relearn File Types?", "Pellix Must be Reset now, Continue?"}));
  EXPECT_EQ(ReadFile(programs_ / "RegInfo.ini"), kTable);
  LearnForm = nullptr;  // freed with the window
}

// The shell's associations are GIO's, which reads and caches the desktop
// folders once per process: this case runs in a child process whose system
// data and configuration folders hold only a text/plain association with the
// recording helper (its own home is a fresh private one).
TEST_F(OpenFiles, WhatTheShellCannotOpenGoesToTheTextViewer) {
  const fs::path data = scratch_ / "sysdata";
  const fs::path config = scratch_ / "sysconfig";
  WriteFile(data / "applications" / "pellix-record.desktop",
            "[Desktop Entry]\nType=Application\nName=Record\nExec=" + (kHelpers / "record_args_gui").string() +
                " %f\nTerminal=false\n");
  WriteFile(config / "mimeapps.list", "[Default Applications]\ntext/plain=pellix-record.desktop\n");

  ASSERT_TRUE(testing_support::RunChildTests(
      "OpenFilesShellChild.*",
      {{"XDG_DATA_DIRS", data.string()}, {"XDG_CONFIG_DIRS", config.string()}, {"PELLIX_SHELL_CHILD", "1"}}))
      << "the child's tests failed";

  // The child opened "plain" (text: the associated program gets its host
  // path) and "binary" and "binary.qqq" (no program: the text viewer, which
  // gets the host path too).
  std::vector<Record> records = Records(3);
  ASSERT_EQ(records.size(), 3u);
  std::vector<std::string> seen;
  for (const Record& record : records) {
    ASSERT_GE(record.lines.size(), 3u);
    const fs::path argument = record.lines[2];
    EXPECT_TRUE(argument.is_absolute() && fs::is_regular_file(argument)) << argument;
    seen.push_back(fs::path(record.lines[1]).filename().string() + " " +
                   (argument.parent_path().filename() / argument.filename()).string());
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"Scrivet.exe Data/binary", "Scrivet.exe Data/binary.qqq",
                                            "record_args_gui Data/plain"}));
}

// Runs only inside the child process of the case above.
class OpenFilesShellChild : public OpenFiles {
 protected:
  void SetUp() override {
    if (std::getenv("PELLIX_SHELL_CHILD") == nullptr) GTEST_SKIP() << "runs in a child process of its own";
    const std::string records = std::getenv("RECORD_ARGS_DIR");
    OpenFiles::SetUp();
    setenv("RECORD_ARGS_DIR", records.c_str(), 1);
  }
};

TEST_F(OpenFilesShellChild, OpensWithTheShell) {
  WriteFile(root_ / "Data" / "plain", "some text\n");
  WriteFile(root_ / "Data" / "binary", std::string("\0\1\2\xff\xfe", 5));
  WriteFile(root_ / "Data" / "binary.qqq", std::string("\0\1\2\xff\xfe", 5));
  Select("C:\\Data\\", {"plain", "binary", "binary.qqq"});
  form_->RunSelected(vwByFileType);
  EXPECT_TRUE(boxes_.Shown().empty());
}

}  // namespace
