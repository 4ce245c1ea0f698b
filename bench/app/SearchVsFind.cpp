// The search dialog's search through a generated tree of 10,100 folders and
// 100,000 files for a name mask, sub-folders included, against
// find DIR -name MASK on the same tree, in the same run. Prints both times,
// the search's hits against the tree's and the ratio.
//
//   bench_search [top folders] [runs]
//
// 100 top folders (the default) hold 100 folders of 10 files each. The tree
// lies under $TMPDIR (or /tmp).
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MainForm.h"
#include "app/Search_Form.h"
#include "bench/support/BenchSupport.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;

// Every file name ends in a digit before its extension, which is ".txt" for
// two names in three: each folder holds one hit among its ten files.
const char* const kMask = "*5.txt";

int MakeTree(const fs::path& tree, int tops) {
  int hits = 0;
  for (int t = 0; t < tops; ++t) {
    const fs::path top = tree / ("top" + std::to_string(t));
    ::mkdir(top.c_str(), 0755);
    for (int f = 0; f < 100; ++f) {
      const fs::path folder = top / ("folder" + std::to_string(f));
      ::mkdir(folder.c_str(), 0755);
      for (int n = 0; n < 10; ++n) {
        std::ofstream(folder / ("file" + std::to_string(f * 10 + n) + (n % 3 == 0 ? ".dat" : ".txt"))) << "x";
        hits += n == 5;
      }
    }
  }
  return hits;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int tops = argc > 1 ? std::atoi(argv[1]) : 100;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string root = bench::MakeTempFolder(bench::TmpDir(), "pellix-bench-search");
  if (root.empty()) return 1;

  // A program folder of the bench's own beside the tree.
  const fs::path program = fs::path(root) / "Pellix4";
  const fs::path built = PELLIX_PROGRAM_DIR;
  fs::create_directories(program / "Windows" / "System32");
  fs::copy_file(built / "PX4Images.dll", program / "PX4Images.dll");
  fs::copy_file(built / "Windows" / "System32" / "SHELL32.DLL", program / "Windows" / "System32" / "SHELL32.DLL");
  std::ofstream(program / "RegInfo.ini") << "PX41\r\n.TXT; Text Document; -; 0; 1;\r\n";
  const fs::path tree = fs::path(root) / "tree";
  ::mkdir(tree.c_str(), 0755);
  const int expected = MakeTree(tree, tops);

  platform::SetDriveMap({{'C', root, 3}});
  platform::SetProgramHostFolder(program.string());
  Application->Initialize();
  SetMessageBoxHandler([](const TMessageBoxRequest& request) {
    std::fprintf(stderr, "message box: %s\n", request.Text.c_str());
    return IDOK;
  });
  Application->CreateForm(MainForm);
  Application->CreateForm(SearchForm);
  SearchForm->Show();
  SearchForm->LookIn_E->SetText("C:\\tree");
  SearchForm->Name_E->SetText(kMask);
  SearchForm->SubDir_CB->SetChecked(true);

  double search = 1e9, find = 1e9;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    SearchForm->Ok_B->Click();
    Application->ProcessMessages();  // the list shows the sorted rows
    search = std::min(search, bench::Seconds(start));
    find = std::min(find, bench::RunTool({"find", tree.string(), "-name", kMask}, bench::Output::Discarded).seconds);
  }
  std::printf("%d folders, %d files, mask %s: search %.0f ms (%d hits of %d), find -name %.0f ms, ratio %.2f\n",
              tops * 101, tops * 1000, kMask, search * 1000, SearchForm->FoundCount, expected, find * 1000,
              search / find);
  delete SearchForm;
  delete MainForm;
  fs::remove_all(root);
  return 0;
}
