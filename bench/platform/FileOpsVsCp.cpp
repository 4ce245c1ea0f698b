// Pastes (copies) one 1 GiB file and a tree of 10,000 small files with the
// shell's file operation and with cp in the same run, and prints the ratios.
// The data lives in a temporary folder under $TMPDIR (or /tmp) and is removed
// afterwards.
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/BenchSupport.h"
#include "platform/drives/DriveMap.h"
#include "platform/operations/ShellFileOperation.h"

namespace {

namespace fs = std::filesystem;

using bench::Seconds;

bool Run(const std::vector<std::string>& arguments) { return bench::RunTool(arguments).succeeded; }

bool Paste(const std::string& from, const std::string& to, unsigned flags) {
  SHFILEOPSTRUCT op;
  op.wFunc = FO_COPY;
  op.pFrom = from + std::string(2, '\0');
  op.pTo = to + std::string(2, '\0');
  op.fFlags = flags;
  return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

void WriteFile(const fs::path& path, std::size_t size, unsigned seed) {
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 2654435761u + seed) >> 13);
  FILE* file = std::fopen(path.c_str(), "wb");
  for (std::size_t left = size; left > 0;) {
    const std::size_t n = std::min(left, block.size());
    std::fwrite(block.data(), 1, n, file);
    left -= n;
  }
  std::fclose(file);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Times `ours` and `theirs` alternately, clearing the destination and
// flushing the disk between runs (untimed). Prints the medians and the ratio;
// PELLIX_BENCH_VERBOSE=1 prints every run.
bool Compare(const char* what, const fs::path& dst, const std::function<bool()>& ours,
             const std::function<bool()>& theirs, int rounds, double target) {
  std::vector<double> mine, cp;
  // One untimed run of each first: the first copy after the data was made
  // pays for its write-back.
  for (int round = -1; round < rounds; ++round) {
    for (int side = 0; side < 2; ++side) {
      fs::remove_all(dst);
      fs::create_directories(dst);
      ::sync();
      const bool first = (round + 1 + side) % 2 == 0;
      const auto start = std::chrono::steady_clock::now();
      if (!(first ? ours() : theirs())) {
        std::fprintf(stderr, "%s: the %s copy failed\n", what, first ? "Pellix" : "cp");
        return false;
      }
      if (round < 0) continue;
      (first ? mine : cp).push_back(Seconds(start));
      if (std::getenv("PELLIX_BENCH_VERBOSE"))
        std::printf("  %s %s %.3f s\n", what, first ? "Pellix" : "cp", (first ? mine : cp).back());
    }
  }
  fs::remove_all(dst);
  const double ratio = Median(mine) / Median(cp);
  std::printf("%-28s Pellix %8.3f s   cp %8.3f s   ratio %.2f (target <= %.1f) %s\n", what, Median(mine), Median(cp),
              ratio, target, ratio <= target ? "ok" : "OVER");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path base = bench::MakeTempFolder(bench::TmpDir(), "pellix-bench");
  if (base.empty()) return 1;
  platform::SetDriveMap({{'C', base.string(), 3}});
  fs::create_directories(base / "src" / "tree");
  std::printf("data in %s, %d rounds\n", base.c_str(), rounds);

  WriteFile(base / "src" / "big.bin", std::size_t(1) << 30, 1);
  for (int folder = 0; folder < 100; ++folder) {
    const fs::path sub = base / "src" / "tree" / ("folder" + std::to_string(folder));
    fs::create_directories(sub);
    for (int file = 0; file < 100; ++file)
      WriteFile(sub / ("file" + std::to_string(file) + ".txt"), 512 + (folder * 100 + file) % 7680,
                static_cast<unsigned>(file));
  }
  ::sync();

  const fs::path dst = base / "dst";
  bool ok = Compare(
      "one 1 GiB file", dst, [&] { return Paste("C:\\src\\big.bin", "C:\\dst\\big.bin", 0x8D); },
      [&] {
        return Run({"cp", "--", (base / "src" / "big.bin").string(), (dst / "big.bin").string()});
      },
      rounds, 1.1);
  ok = Compare(
           "10,000 small files (tree)", dst, [&] { return Paste("C:\\src\\tree\\", "C:\\dst\\", 0x0D); },
           [&] {
             return Run({"cp", "-r", "--", (base / "src" / "tree").string(), (dst / "tree").string()});
           },
           rounds, 1.5) &&
       ok;
  fs::remove_all(base);
  return ok ? 0 : 1;
}
