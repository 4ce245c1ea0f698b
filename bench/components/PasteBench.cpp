// Pastes (copies) through the file list, end to end from the clipboard text
// to the re-read destination: one 1 GiB file against cp of the same file,
// and 10,000 small files against cp -r of their folder, in the same run.
// Prints the times and the ratios; the targets are 1.1 x cp for the large
// file and 1.5 x cp -r for the small files. Data lives under $TMPDIR (or
// /tmp) and is removed afterwards. The clipboard is the process's own.
// `bench_paste [rounds] [small]`: "small" times the small files alone (for
// profiling).
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/BenchSupport.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/core/Clipboard.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace fs = std::filesystem;

namespace {

using bench::Seconds;

double Run(const std::vector<std::string>& arguments) { return bench::RunTool(arguments).seconds; }

void Sync() { Run({"sync"}); }

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const bool smallOnly = argc > 2 && std::string(argv[2]) == "small";
  QApplication app(argc, argv);
  Clipboard()->SetPrivateStore(true);

  const std::string base = bench::MakeTempFolder(fs::temp_directory_path(), "pellix-pastebench");
  if (base.empty()) return 1;
  fs::create_directories(base + "/big");
  fs::create_directories(base + "/small");
  if (!smallOnly) {
    // 1 GiB of data that no file system can leave out as holes.
    std::vector<char> block(1 << 20);
    for (std::size_t n = 0; n < block.size(); ++n) block[n] = static_cast<char>(n * 131 % 251);
    std::ofstream out(base + "/big/large.bin", std::ios::binary);
    for (int n = 0; n < 1024; ++n) {
      block[0] = static_cast<char>(n);
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
  }
  std::string names;
  for (int n = 0; n < 10000; ++n) {
    const std::string name = "file" + std::to_string(n) + ".txt";
    std::ofstream(base + "/small/" + name) << std::string(static_cast<std::size_t>(n % 4096), 'x');
    names += name + "\r\n";
  }
  std::ofstream(base + "/RegInfo.ini") << "PX41\r\n.TXT; Text Document; -; 0; 3;\r\n";
  platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);
  platform::SetDriveMap({{'C', base, 3}, {'P', PELLIX_PROGRAM_DIR, 3}});

  TExtension table(nullptr);
  table.FileName = "C:\\RegInfo.ini";
  table.Init();
  TFileList list(nullptr);
  list.Extension = &table;
  list.Init();

  double paste = 1e9, cp = 1e9, pasteSmall = 1e9, cpSmall = 1e9;
  for (int round = 0; round < rounds; ++round) {
    if (!smallOnly) {
      fs::create_directories(base + "/out");
      list.SetDirectory("C:\\out");
      Clipboard()->SetAsText("PX4\nC:\\big\n0\nlarge.bin\r\n");
      Sync();
      auto start = std::chrono::steady_clock::now();
      list.PasteFiles();
      paste = std::min(paste, Seconds(start));
      fs::remove_all(base + "/out");
      Sync();
      cp = std::min(cp, Run({"cp", base + "/big/large.bin", base + "/large-cp.bin"}));
      fs::remove(base + "/large-cp.bin");
    }

    // The small copies stay until the end: on ext4 an inode freed within
    // the last minute is passed over (one look-up each) when a new one is
    // sought, so deleting 10,000 files just before a timed copy would make
    // it slow by an amount that depends on the order of the runs.
    const std::string folder = "paste" + std::to_string(round);
    fs::create_directories(base + "/" + folder);
    list.SetDirectory("C:\\" + folder);
    Clipboard()->SetAsText("PX4\nC:\\small\n0\n" + names);
    Sync();
    const auto start = std::chrono::steady_clock::now();
    list.PasteFiles();
    const double pasted = Seconds(start);
    pasteSmall = std::min(pasteSmall, pasted);
    if (list.Items()->Count() != 10000) std::fprintf(stderr, "pasted %d files\n", list.Items()->Count());
    list.SetDirectory("C:\\");
    Sync();
    const double copied = Run({"cp", "-r", base + "/small", base + "/cp" + std::to_string(round)});
    cpSmall = std::min(cpSmall, copied);
    if (std::getenv("PELLIX_BENCH_VERBOSE"))
      std::printf("  round %d: PasteFiles %.0f ms, cp -r %.0f ms\n", round, pasted * 1000, copied * 1000);
  }
  if (!smallOnly)
    std::printf("1 GiB file: PasteFiles %.0f ms, cp %.0f ms, ratio %.2f (target 1.1 at most)\n", paste * 1000,
                cp * 1000, paste / cp);
  std::printf("10,000 small files: PasteFiles %.0f ms, cp -r %.0f ms, ratio %.2f (target 1.5 at most)\n",
              pasteSmall * 1000, cpSmall * 1000, pasteSmall / cpSmall);
  fs::remove_all(base);
  return 0;
}
