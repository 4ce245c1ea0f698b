// The two walks through a generated tree of about 200,000 entries, each
// against its peer tool on the same tree, in the same run:
// - the search dialog's search for "*5.txt", case ignored, sub-folders
//   included, against find DIR -iname '*5.txt' (target: 1.3 at most);
// - the properties dialog's folder walk (folders, files, bytes) against
//   du -sb DIR (target: 1.3 at most).
// Prints the best of the rounds for each, the counts and the ratios.
//
//   bench_search [top folders] [runs]
//
// 100 top folders (the default) hold 100 folders of 19 files each: 10,100
// folders and 190,000 files. The tree lies under $TMPDIR (or /tmp).
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/Search_Form.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/BenchSupport.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/core/StringList.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;

// Every file name ends in a number before its extension, which is ".txt"
// for two names in three, and some in upper case, so case counts.
const char* const kMask = "*5.txt";
constexpr int kFilesPerFolder = 19;

int MakeTree(const fs::path& tree, int tops) {
  int hits = 0;
  for (int t = 0; t < tops; ++t) {
    const fs::path top = tree / ("top" + std::to_string(t));
    ::mkdir(top.c_str(), 0755);
    for (int f = 0; f < 100; ++f) {
      const fs::path folder = top / ("folder" + std::to_string(f));
      ::mkdir(folder.c_str(), 0755);
      for (int n = 0; n < kFilesPerFolder; ++n) {
        const int number = f * kFilesPerFolder + n;
        const char* extension = n % 3 == 0 ? ".dat" : (n % 3 == 1 ? ".txt" : ".TXT");
        std::ofstream(folder / ("file" + std::to_string(number) + extension)) << std::string(n + 1, 'x');
        hits += number % 10 == 5 && n % 3 != 0;
      }
    }
  }
  return hits;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int tops = argc > 1 ? std::atoi(argv[1]) : 100;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::string root = bench::MakeTempFolder(bench::TmpDir(), "pellix-bench-search");
  if (root.empty()) return 1;

  // A program folder of the bench's own beside the tree.
  const fs::path program = bench::MakeProgramFolder(root, PELLIX_PROGRAM_DIR, ".TXT; Text Document; -; 0; 1;\r\n");
  const fs::path tree = fs::path(root) / "tree";
  ::mkdir(tree.c_str(), 0755);
  const int expected = MakeTree(tree, tops);

  platform::SetDriveMap({{'C', root, 3}});
  platform::SetProgramHostFolder(program.string());
  bench::StartApplication();
  Application->CreateForm(MainForm);
  Application->CreateForm(SearchForm);
  SearchForm->Show();
  SearchForm->LookIn_E->SetText("C:\\tree");
  SearchForm->Name_E->SetText(kMask);
  SearchForm->SubDir_CB->SetChecked(true);

  Application->CreateForm(PropForm);

  double search = 1e9, find = 1e9, walk = 1e9, du = 1e9;
  int files = 0;
  for (int run = 0; run < runs; ++run) {
    auto start = std::chrono::steady_clock::now();
    SearchForm->Ok_B->Click();
    Application->ProcessMessages();  // the list shows the sorted rows
    search = std::min(search, bench::Seconds(start));
    find = std::min(find, bench::RunTool({"find", tree.string(), "-iname", kMask}, bench::Output::Discarded).seconds);

    PropForm->DirCount = 0;
    PropForm->TotalSize = 0;
    start = std::chrono::steady_clock::now();
    const std::unique_ptr<TStringList> list(PropForm->WalkDirectory("*.*", "C:\\tree", true));
    walk = std::min(walk, bench::Seconds(start));
    files = list ? list->Count() : -1;
    du = std::min(du, bench::RunTool({"du", "-sb", tree.string()}, bench::Output::Discarded).seconds);
  }
  std::printf(
      "%d folders, %d files, mask %s: search %.0f ms (%d hits of %d), find -iname %.0f ms, ratio %.2f"
      " (target 1.3 at most)\n",
      tops * 101, tops * 100 * kFilesPerFolder, kMask, search * 1000, SearchForm->FoundCount, expected, find * 1000,
      search / find);
  std::printf(
      "folder walk %.0f ms (%d folders, %d files, %.0Lf bytes), du -sb %.0f ms, ratio %.2f (target 1.3 at most)\n",
      walk * 1000, PropForm->DirCount, files, PropForm->TotalSize, du * 1000, walk / du);
  delete PropForm;
  delete SearchForm;
  delete MainForm;
  fs::remove_all(root);
  return 0;
}
