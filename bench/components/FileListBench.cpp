// The file list against ls -l, in the same run, on folders of files of a few
// kinds, sizes and times:
// - F5 (Refresh_List, read and sorted by name) of each folder size given,
//   against ls -l of the same folder, with the time per file, so the growth
//   from 100,000 to 1,000,000 files shows;
// - on the first size: a header click on each of the five columns (a
//   re-sort), the same header clicked again (the other direction), and the
//   memory the shown list takes per file.
// `bench_filelist [rounds] [files ...]` (defaults: 5 rounds, 100000 files);
// the best round counts. Folders live under $TMPDIR (or /tmp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include "framework/controls/Label.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

using bench::Seconds;

double LsOnce(const std::string& folder) {
  return bench::RunTool({"ls", "-l", folder}, bench::Output::Discarded).seconds;
}

// Resident memory of the process in KiB.
long ResidentKiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Files of a few kinds, sizes, times and modes, as a real folder holds them.
void MakeFolder(const std::string& folder, int files) {
  const char* extensions[] = {".txt", ".jpg", ".c", ".dat", "", ".tar.gz", ".PDF", ".html"};
  for (int i = 0; i < files; ++i) {
    const std::string name = folder + "/" + (i % 3 ? "Report " : "photo_") +
                             std::to_string(static_cast<long long>(i) * 7919 % files) + extensions[i % 8];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT, i % 7 == 0 ? 0444 : 0644);
    if (fd < 0) continue;
    if (i % 5 == 0) (void)!::ftruncate(fd, static_cast<off_t>(i) * 37);
    const struct timespec times[2] = {{1600000000 + i * 61L, 0}, {1600000000 + i * 61L, 0}};
    ::futimens(fd, times);
    ::close(fd);
  }
}

// A header click as the user makes it, until the view has taken the order.
double Click(TFileList& list, int column) {
  const auto start = std::chrono::steady_clock::now();
  list.OnColumnClick(&list, list.Columns()->Item(column));
  QApplication::processEvents();
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!getenv("LC_ALL")) setenv("LC_ALL", "C.UTF-8", 1);
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  std::vector<int> sizes;
  for (int n = 2; n < argc; ++n) sizes.push_back(std::atoi(argv[n]));
  if (sizes.empty()) sizes.push_back(100000);
  QApplication app(argc, argv);

  const std::string base = bench::MakeTempFolder(bench::TmpDir(), "pellix-listbench");
  if (base.empty()) return 1;
  for (std::size_t s = 0; s < sizes.size(); ++s) {
    std::filesystem::create_directories(base + "/files" + std::to_string(s));
    MakeFolder(base + "/files" + std::to_string(s), sizes[s]);
  }
  std::ofstream(base + "/RegInfo.ini") << "PX41\r\n.TXT; Text Document; shell32.dll; 67; 3;\r\n"
                                          ".JPG; JPEG Image; -; 0; 4;\r\n.C  ; C source; shell32.dll; 1; 3;\r\n"
                                          ".GZ ; Gzip archive; -; 0; 1;\r\n.PDF; PDF document; -; 0; 1;\r\n";
  platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);
  platform::SetDriveMap({{'C', base, 3}, {'P', PELLIX_PROGRAM_DIR, 3}});

  TExtension table(nullptr);
  table.FileName = "C:\\RegInfo.ini";
  table.LoadExtra = true;
  table.Init();
  TLabel label(nullptr);
  TFileList list(nullptr);
  list.Extension = &table;
  list.FilesLabel = &label;
  list.Init();
  list.SetViewStyle(vsReport);
  list.SetBounds(0, 0, 800, 600);
  list.Show();
  QApplication::processEvents();
  std::printf("locale %s, %d rounds, the best counts\n", getenv("LC_ALL"), rounds);

  double perFileFirst = 0;
  for (std::size_t s = 0; s < sizes.size(); ++s) {
    const std::string folder = base + "/files" + std::to_string(s);
    const long before = ResidentKiB();
    list.SetDirectory("C:\\files" + std::to_string(s));
    QApplication::processEvents();
    const long after = ResidentKiB();
    double read = 1e9, ls = 1e9;
    for (int round = 0; round < rounds; ++round) {
      list.SortColumn = 0;
      list.SortUp = true;
      const auto start = std::chrono::steady_clock::now();
      list.Refresh_List();
      QApplication::processEvents();
      read = std::min(read, Seconds(start));
      ls = std::min(ls, LsOnce(folder));
    }
    const double perFile = read / sizes[s] * 1e6;
    if (s == 0) perFileFirst = perFile;
    std::printf("%d files (%s): F5 %.1f ms, ls -l %.1f ms, ratio %.2f (target 1.0 at most; 1.1 at 1,000,000)\n",
                sizes[s], label.Caption().c_str(), read * 1000, ls * 1000, read / ls);
    std::printf("  %.2f us per file, %.2f x the per-file time of the first size (target 1.15 at most)\n", perFile,
                perFile / perFileFirst);
    if (s != 0) continue;
    std::printf("  memory of the shown list: %.2f KiB per file (target 0.6 at most)\n",
                static_cast<double>(after - before) / sizes[s]);

    // Each header from a list sorted by name ascending, then the same header again.
    const char* names[5] = {"Name", "Size", "Type", "Modified", "Attributes"};
    double sortBy[5], again[5];
    for (int c = 0; c < 5; ++c) sortBy[c] = again[c] = 1e9;
    for (int round = 0; round < rounds; ++round) {
      for (const int c : {1, 2, 3, 4, 0}) {
        sortBy[c] = std::min(sortBy[c], Click(list, c));
        again[c] = std::min(again[c], Click(list, c));
      }
    }
    std::printf("  re-sort of %d items by", list.Items()->Count());
    for (int c = 0; c < 5; ++c) std::printf(" %s %.1f", names[c], sortBy[c] * 1000);
    std::printf(" ms (target 100 each)\n  the same header again:");
    for (int c = 0; c < 5; ++c) std::printf(" %s %.1f", names[c], again[c] * 1000);
    std::printf(" ms (target 20 each)\n");
  }
  std::filesystem::remove_all(base);
  return 0;
}
