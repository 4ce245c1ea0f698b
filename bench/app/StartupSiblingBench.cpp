// Start-up on a folder of 20 files, with and without a sibling folder of
// 100,000 files, in the same run: each start is a process of its own that
// initialises the application, builds the main window as the entry builds
// it (its tree opens the start folder, the file list reads it), lets the
// window show what it read and ends. The sibling is never shown; the target
// is a ratio of 1.2 at most. Prints the best of the rounds for each and
// their ratio.
//
//   bench_startup_sibling [sibling files] [rounds]
//
// The folders lie under $TMPDIR (or /tmp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MainForm.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/BenchSupport.h"
#include "framework/forms/Application.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  if (fd >= 0) ::close(fd);
}

// One start-up, in the child process: the drive C: is `root`.
int StartUp(const std::string& root, const std::string& startFolder) {
  platform::SetDriveMap({{'C', root, 3}});
  platform::SetProgramHostFolder((fs::path(root) / "Pellix4").string());
  bench::StartApplication();
  Application->SetTitle(startFolder);
  Application->CreateForm(MainForm);
  Application->ProcessMessages();
  delete MainForm;
  return 0;
}

double StartOnce(const char* self, const std::string& root, const std::string& startFolder) {
  const bench::ToolRun run = bench::RunTool({self, "--start", root, startFolder});
  if (!run.succeeded) std::fprintf(stderr, "the start-up on %s failed\n", startFolder.c_str());
  return run.seconds;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 4 && std::string(argv[1]) == "--start") return StartUp(argv[2], argv[3]);
  const int siblingFiles = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  const std::string root = bench::MakeTempFolder(bench::TmpDir(), "pellix-bench-startup");
  if (root.empty()) return 1;

  const fs::path program = bench::MakeProgramFolder(root, PELLIX_PROGRAM_DIR, ".TXT; Text Document; -; 0; 1;\r\n");
  // Two folders alike but for the sibling.
  for (const char* side : {"with", "without"}) {
    fs::create_directories(fs::path(root) / side / "small");
    for (int n = 0; n < 20; ++n) Touch(fs::path(root) / side / "small" / ("file" + std::to_string(n) + ".txt"));
  }
  fs::create_directories(fs::path(root) / "with" / "big");
  for (int n = 0; n < siblingFiles; ++n) Touch(fs::path(root) / "with" / "big" / ("file" + std::to_string(n) + ".txt"));

  double with = 1e9, without = 1e9;
  StartOnce(argv[0], root, "C:\\without\\small");  // the first start finds the libraries and fonts cold
  for (int round = 0; round < rounds; ++round) {
    with = std::min(with, StartOnce(argv[0], root, "C:\\with\\small"));
    without = std::min(without, StartOnce(argv[0], root, "C:\\without\\small"));
  }
  std::printf(
      "start-up on 20 files: with a sibling of %d files %.1f ms, without %.1f ms, ratio %.2f (target 1.2 at most)\n",
      siblingFiles, with * 1000, without * 1000, with / without);
  fs::remove_all(root);
  return 0;
}
