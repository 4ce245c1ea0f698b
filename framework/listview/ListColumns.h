#pragma once

#include <memory>
#include <vector>

#include "framework/core/Object.h"

class TListColumn;
class TListView;

/// The columns of a list view's details view. Column 0 shows the items'
/// captions, column n their sub-item n - 1.
class TListColumns : public TObject {
 public:
  ~TListColumns() override;

  /// Appends a column and returns it.
  TListColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  /// The column at an index; raises Exception outside 0 .. Count() - 1.
  TListColumn* Item(int index) const;
  TListColumn* operator[](int index) const { return Item(index); }
  TListView* Owner() const { return view_; }

 private:
  friend class TListView;
  friend class TListColumn;
  explicit TListColumns(TListView* view) : view_(view) {}
  /// A header dragged by the user: the column keeps the new width.
  void TakeWidth(int index, int width);

  TListView* view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};
