// Self-calling scripts through the command interpreter: scripts of 2, 3, 4
// and 8 lines that each EXEC the script itself, one command each, the best
// of several rounds. The target: no command holds the window thread for
// more than a second. Data lives under $TMPDIR (or /tmp) and is removed
// afterwards. `bench_script [rounds] [most lines]`: scripts of more lines than
// the given number are left out (without the budget, 3 lines take minutes).
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/support/BenchSupport.h"
#include "components/Server2.h"
#include "framework/controls/Memo.h"
#include "framework/controls/MemoLines.h"
#include "platform/drives/DriveMap.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const int most = argc > 2 ? std::atoi(argv[2]) : 8;
  QApplication app(argc, argv);
  const std::string base = bench::MakeTempFolder(bench::TmpDir(), "pellix-scriptbench");
  if (base.empty()) return 1;
  platform::SetDriveMap({{'C', base, 3}});

  TMemo memo(nullptr);
  TServer2 server(nullptr);
  server.CommsOut = &memo;
  server.MaxLines = 60;
  bool met = true;
  for (int lines : {2, 3, 4, 8}) {
    if (lines > most) break;
    std::ofstream script(base + "/self.txt", std::ios::trunc);
    for (int n = 0; n < lines; ++n) script << "EXEC C:\\self.txt\n";
    script.close();
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
      const auto start = std::chrono::steady_clock::now();
      server.Server("EXEC C:\\self.txt", true, false);
      best = std::min(best, bench::Seconds(start));
    }
    met = met && best < 1.0;
    std::printf("%d lines: %.3f s (best of %d), reply \"%s\"\n", lines, best, rounds, memo.Lines()->Strings(0).c_str());
  }
  std::printf("target: under 1 s each: %s\n", met ? "met" : "missed");
  fs::remove_all(base);
  return 0;
}
