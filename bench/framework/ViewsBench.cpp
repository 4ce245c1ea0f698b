// The list and tree views with 100,000 entries: a folder read into the file
// list, its sort, and a folder of 100,000 sub-folders in the folder tree.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "framework/treeview/TreeView.h"

namespace {

constexpr int kCount = 100000;

std::string NameOf(int i) {
  // Scrambled, so sorting has work to do.
  return "file" + std::to_string((static_cast<unsigned>(i) * 2654435761u) % 1000003u) + ".txt";
}

// A shown list in the details view, as the file list is.
struct ShownList {
  QWidget window;
  TListView list{nullptr};
  ShownList() {
    list.Widget()->setParent(&window);
    list.SetBounds(0, 0, 600, 400);
    list.SetViewStyle(vsReport);
    list.SetMultiSelect(true);
    window.resize(620, 420);
    window.show();
    QApplication::processEvents();
  }
  void Fill() {
    list.Items()->BeginUpdate();
    for (int i = 0; i < kCount; ++i) {
      TListItem* item = list.Items()->Add();
      item->SetCaption(NameOf(i));
      for (int s = 0; s < 6; ++s) item->SubItems()->Add("sub");
    }
    list.Items()->EndUpdate();
  }
};

void BM_ListAdd100kAndShow(benchmark::State& state) {
  ShownList shown;
  for (auto _ : state) {
    shown.Fill();
    shown.list.Repaint();
    QApplication::processEvents();
    state.PauseTiming();
    shown.list.Items()->Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ListAdd100kAndShow)->Unit(benchmark::kMillisecond);

void BM_ListSort100k(benchmark::State& state) {
  ShownList shown;
  shown.Fill();
  bool up = true;
  // A cheap comparison, so the time is the sort's own overhead.
  shown.list.OnCompare = [&](TObject*, TListItem* a, TListItem* b, int, int& c) {
    c = a->Caption().compare(b->Caption());
    if (!up) c = -c;
  };
  for (auto _ : state) {
    up = !up;
    shown.list.AlphaSort();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ListSort100k)->Unit(benchmark::kMillisecond);

void BM_ListStyleSwitch100k(benchmark::State& state) {
  ShownList shown;
  shown.Fill();
  for (auto _ : state) {
    shown.list.SetViewStyle(vsIcon);
    shown.list.Repaint();
    shown.list.SetViewStyle(vsReport);
    shown.list.Repaint();
  }
}
BENCHMARK(BM_ListStyleSwitch100k)->Unit(benchmark::kMillisecond);

// A folder tree with one expanded folder of 100,000 sub-folders.
void BM_TreeAddSortDelete100kChildren(benchmark::State& state) {
  QWidget window;
  TTreeView tree(nullptr);
  tree.Widget()->setParent(&window);
  tree.SetBounds(0, 0, 300, 400);
  window.show();
  TTreeNode* root = tree.Items()->Add(nullptr, "My Computer");
  TTreeNode* drive = tree.Items()->AddChild(root, "(C:)");
  tree.Items()->AddChild(drive, "placeholder");
  root->Expand(false);
  drive->Expand(false);
  for (auto _ : state) {
    drive->DeleteChildren();
    for (int i = 0; i < kCount; ++i) tree.Items()->AddChild(drive, NameOf(i));
    tree.AlphaSort();
    tree.Repaint();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_TreeAddSortDelete100kChildren)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
