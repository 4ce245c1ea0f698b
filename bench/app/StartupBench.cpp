// The program's start-up straight onto a folder of 100,000 files, timed from
// outside, against ls -l of the same folder in the same run. Each round starts
// this bench again as a child that builds the five windows as the program's
// entry does, with the folder as its command-line tail, shows the main window
// and ends as soon as the window and its file list are shown.
//
//   bench_startup [rounds] [files]
//
// Defaults: 5 rounds (the best counts), 100,000 files. The folder lies under
// $TMPDIR (or /tmp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/About_Form.h"
#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/RegForm.h"
#include "app/Search_Form.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/BenchSupport.h"
#include "framework/forms/Application.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;

void MakeFolder(const fs::path& folder, int files) {
  const char* extensions[] = {".txt", ".jpg", ".c", ".dat", "", ".tar.gz", ".PDF", ".html"};
  fs::create_directories(folder);
  for (int i = 0; i < files; ++i) {
    const std::string name = (folder / ((i % 3 ? "Report " : "photo_") +
                                        std::to_string(static_cast<long long>(i) * 7919 % files) + extensions[i % 8]))
                                 .string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) continue;
    if (i % 5 == 0) (void)!::ftruncate(fd, static_cast<off_t>(i) * 37);
    ::close(fd);
  }
}

// The child: the entry's windows, the main window shown, then the end
// without freeing anything (the program would go on running).
int Child(const std::string& root) {
  platform::SetDriveMap({{'C', root, 3}});
  platform::SetProgramHostFolder((fs::path(root) / "Pellix4").string());
  bench::StartApplication();
  Application->SetTitle("C:\\files");
  Application->CreateForm(MainForm);
  Application->CreateForm(PropForm);
  Application->CreateForm(AboutBox);
  Application->CreateForm(SearchForm);
  Application->CreateForm(LearnForm);
  MainForm->Show();
  Application->ProcessMessages();
  std::fflush(stdout);
  ::_exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (!getenv("LC_ALL")) setenv("LC_ALL", "C.UTF-8", 1);
  if (argc > 2 && std::string(argv[1]) == "child") return Child(argv[2]);
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const int files = argc > 2 ? std::atoi(argv[2]) : 100000;

  const std::string root = bench::MakeTempFolder(bench::TmpDir(), "pellix-bench-startup");
  if (root.empty()) return 1;
  const fs::path program =
      bench::MakeProgramFolder(root, PELLIX_PROGRAM_DIR,
                               ".TXT; Text Document; shell32.dll; 67; 3;\r\n"
                               ".JPG; JPEG Image; -; 0; 4;\r\n.C  ; C source; shell32.dll; 1; 3;\r\n");
  MakeFolder(fs::path(root) / "files", files);
  const std::string self = fs::read_symlink("/proc/self/exe").string();

  double start = 1e9, ls = 1e9;
  for (int round = 0; round < rounds; ++round) {
    const bench::ToolRun run = bench::RunTool({self, "child", root});
    if (!run.succeeded) std::fprintf(stderr, "the start-up failed\n");
    start = std::min(start, run.seconds);
    ls = std::min(ls, bench::RunTool({"ls", "-l", root + "/files"}, bench::Output::Discarded).seconds);
  }
  std::printf("start-up onto %d files until shown %.0f ms, ls -l %.0f ms, ratio %.2f (target 1.0 at most)\n", files,
              start * 1000, ls * 1000, start / ls);
  fs::remove_all(root);
  return 0;
}
