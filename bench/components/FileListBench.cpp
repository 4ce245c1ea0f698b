// Reads a folder of 100,000 files into an offscreen file list (sorted by
// name, every file's type looked up in a file-type table) and compares the
// time with ls -l of the same folder in the same run; then re-sorts the
// 100,000 items by size and by type. Prints the figures and the ratio: the
// targets are a read of 1.5 x ls -l at most and a re-sort under 0.2 s.
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

// Files of a few kinds, sizes and times, as a real folder holds them.
void MakeFolder(const std::string& folder, int files) {
  const char* extensions[] = {".txt", ".jpg", ".c", ".dat", "", ".tar.gz", ".PDF", ".html"};
  for (int i = 0; i < files; ++i) {
    const std::string name =
        folder + "/" + (i % 3 ? "Report " : "photo_") + std::to_string((i * 7919) % files) + extensions[i % 8];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) continue;
    if (i % 5 == 0) (void)!::ftruncate(fd, static_cast<off_t>(i) * 37);
    const struct timespec times[2] = {{1600000000 + i * 61L, 0}, {1600000000 + i * 61L, 0}};
    ::futimens(fd, times);
    ::close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!getenv("LC_ALL")) setenv("LC_ALL", "C.UTF-8", 1);
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  QApplication app(argc, argv);

  const std::string base = bench::MakeTempFolder(std::filesystem::temp_directory_path(), "pellix-listbench");
  if (base.empty()) return 1;
  const std::string folder = base + "/files";
  std::filesystem::create_directories(folder);
  MakeFolder(folder, files);
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

  double read = 1e9, ls = 1e9, bySize = 1e9, byType = 1e9, sortOnly = 1e9;
  list.SetDirectory("C:\\files");
  for (int round = 0; round < rounds; ++round) {
    list.SortColumn = 0;
    list.SortUp = true;
    auto start = std::chrono::steady_clock::now();
    list.Refresh_List();
    QApplication::processEvents();
    read = std::min(read, Seconds(start));
    ls = std::min(ls, LsOnce(folder));

    start = std::chrono::steady_clock::now();
    list.OnColumnClick(&list, list.Columns()->Item(1));
    QApplication::processEvents();
    bySize = std::min(bySize, Seconds(start));
    start = std::chrono::steady_clock::now();
    list.AlphaSort();
    sortOnly = std::min(sortOnly, Seconds(start));
    start = std::chrono::steady_clock::now();
    list.OnColumnClick(&list, list.Columns()->Item(2));
    QApplication::processEvents();
    byType = std::min(byType, Seconds(start));
  }
  std::printf("locale %s, %s\n", getenv("LC_ALL"), label.Caption().c_str());
  std::printf("Read_Files %.1f ms, ls -l %.1f ms, ratio %.2f (target 1.5 at most)\n", read * 1000, ls * 1000,
              read / ls);
  std::printf("re-sort of %d items by size %.1f ms, by type %.1f ms (target under 200 ms); the sort alone %.1f ms\n",
              list.Items()->Count(), bySize * 1000, byType * 1000, sortOnly * 1000);
  std::filesystem::remove_all(base);
  return 0;
}
