// A form frees the controls it owns, views included, before its window goes.

#include <gtest/gtest.h>

#include "framework/forms/Form.h"
#include "framework/listview/ListView.h"
#include "framework/treeview/TreeView.h"

namespace {

TEST(FormOwnership, FreesItsViewsWithIt) {
  auto* form = new TForm(nullptr);
  auto* tree = new TTreeView(form);
  tree->SetParent(form);
  auto* list = new TListView(form);
  list->SetParent(form);
  delete form;
  SUCCEED();
}

}  // namespace
