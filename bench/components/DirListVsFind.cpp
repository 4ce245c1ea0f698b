// Expands folders in a shown folder tree (the folder and each sub-folder
// read, the whole tree sorted) and compares the time with
// find DIR -maxdepth 2 -type d on the same folder, in the same run:
// - a folder of 10,000 sub-folders (target: a ratio of 3 at most);
// - a folder whose 10 sub-folders hold 10,000 files each, which the tree
//   reads but never shows (target: a ratio of 1.5 at most).
// Prints both times and their ratio for each, the best of five rounds.
// Usage: bench_dirlist [sub-folders] (default 10000).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/BenchSupport.h"
#include "components/DirList.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

using bench::Seconds;

double FindOnce(const std::string& folder) {
  return bench::RunTool({"find", folder, "-maxdepth", "2", "-type", "d"}, bench::Output::Discarded).seconds;
}

TTreeNode* ChildNamed(TTreeNode* node, const std::string& text) {
  for (TTreeNode* c = node->getFirstChild(); c != nullptr; c = c->getNextSibling())
    if (c->Text() == text) return c;
  return nullptr;
}

// Expands the drive's folder `name` five times; prints the best times.
bool Measure(QApplication& app, TTreeNode* drive, const std::string& name, const std::string& host, const char* what,
             double target) {
  TTreeNode* node = ChildNamed(drive, name);
  if (node == nullptr) return false;
  double expand = 1e9, find = 1e9;
  int read = 0;
  for (int round = 0; round < 5; ++round) {
    node->Collapse(false);
    app.processEvents();
    const auto start = std::chrono::steady_clock::now();
    node->Expand(false);
    app.processEvents();  // the view lays the new rows out
    expand = std::min(expand, Seconds(start));
    read = node->Count();
    find = std::min(find, FindOnce(host));
  }
  std::printf("%s (%d read): expand %.1f ms, find -maxdepth 2 -type d %.1f ms, ratio %.2f (target %.1f at most)\n",
              what, read, expand * 1000, find * 1000, expand / find, target);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int folders = argc > 1 ? std::atoi(argv[1]) : 10000;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string root = bench::MakeTempFolder(std::filesystem::temp_directory_path(), "pellix-bench");
  if (root.empty()) return 1;
  const std::string big = root + "/big";
  ::mkdir(big.c_str(), 0755);
  // Names in no particular order; every tenth sub-folder has one of its own,
  // so the second level is read for real.
  for (int i = 0; i < folders; ++i) {
    const std::string name = big + "/Folder " + std::to_string((i * 7919) % folders);
    ::mkdir(name.c_str(), 0755);
    if (i % 10 == 0) ::mkdir((name + "/inner").c_str(), 0755);
  }
  const std::string full = root + "/full";
  ::mkdir(full.c_str(), 0755);
  for (int i = 0; i < 10; ++i) {
    const std::string name = full + "/Folder " + std::to_string(i);
    ::mkdir(name.c_str(), 0755);
    for (int n = 0; n < 10000; ++n) {
      const int fd =
          ::open((name + "/file" + std::to_string(n) + ".txt").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
      if (fd >= 0) ::close(fd);
    }
  }

  QApplication app(argc, argv);
  platform::SetDriveMap({{'C', root, 3}});
  platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);
  auto* window = new QWidget;
  window->resize(400, 800);
  auto* dirList = new TDirList(nullptr);
  TDirList& tree = *dirList;
  tree.Widget()->setParent(window);
  tree.SetBounds(0, 0, 400, 800);
  window->show();
  tree.Init();
  TTreeNode* top = tree.Items()->GetFirstNode();
  top->Expand(false);
  TTreeNode* drive = top->getFirstChild();
  drive->Expand(false);
  const std::string subFolders = std::to_string(folders) + " sub-folders";
  if (!Measure(app, drive, "big", big, subFolders.c_str(), 3)) return 1;
  if (!Measure(app, drive, "full", full, "10 sub-folders of 10,000 files", 1.5)) return 1;
  delete dirList;
  delete window;
  std::filesystem::remove_all(root);
  return 0;
}
