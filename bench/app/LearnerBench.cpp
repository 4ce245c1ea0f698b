// The file-type learner's whole run against the system's own MIME database:
// 149,683 probes, the file written line by line, the dialog's progress shown
// and waiting window messages run every 59 candidates. Prints the time of
// each run and how many lines it wrote.
//
//   bench_learner [runs] [host folder for RegInfo.ini]
//
// The folder defaults to a fresh one under $TMPDIR (or /tmp); give one on the
// disk the program really lives on to count its file system's costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/RegForm.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/BenchSupport.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/files/FileIO.h"
#include "platform/registry/SystemRegistry.h"

namespace {

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  bench::UseSystemMimeDatabase();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  std::filesystem::path folder;
  bool own = false;
  if (argc > 2) {
    folder = argv[2];
  } else {
    folder = bench::TmpDir() / "pellix-bench-learner";
    std::filesystem::remove_all(folder);
    own = true;
  }
  std::filesystem::create_directories(folder);
  folder = std::filesystem::canonical(folder);
  platform::SetProgramHostFolder(folder.string());
  const std::filesystem::path file = folder / "RegInfo.ini";

  bench::StartApplication();
  Application->CreateForm(LearnForm);
  if (LearnProgramDir().empty()) {
    std::fprintf(stderr, "no drive holds %s\n", folder.c_str());
    return 1;
  }

  double best = 1e9;
  double total = 0;
  for (int run = 0; run < runs; ++run) {
    std::filesystem::remove(file);
    // Every run reads the database and icon theme anew, as the program's one
    // run does.
    platform::ReloadRegistry();
    const auto start = std::chrono::steady_clock::now();
    LearnForm->ShowModal();
    const double seconds = bench::Seconds(start);
    const auto content = platform::ReadWholeFile(LearnProgramDir() + "RegInfo.ini");
    std::printf("run %d: %.1f ms, %d lines, label \"%s\"\n", run + 1, seconds * 1000,
                content ? CountLines(*content) : -1, LearnForm->CurExt_L->Caption().c_str());
    best = std::min(best, seconds);
    total += seconds;
  }
  std::printf("learner, whole run on %s: best %.1f ms, mean %.1f ms (target under 1000 ms)\n", folder.c_str(),
              best * 1000, total / runs * 1000);
  if (own) std::filesystem::remove_all(folder);
  return 0;
}
