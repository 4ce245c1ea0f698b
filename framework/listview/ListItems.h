#pragma once

#include <memory>
#include <vector>

#include "framework/core/Object.h"

class TListItem;
class TListView;
class ListItemModel;

/// The items of a list view, in display order. Between BeginUpdate and
/// EndUpdate nothing is laid out or drawn; the view takes every change at
/// the last EndUpdate in one step.
class TListItems : public TObject {
 public:
  ~TListItems() override;

  /// Appends a new, empty item and returns it.
  TListItem* Add();
  /// Removes and frees every item.
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  /// The item at an index; raises Exception outside 0 .. Count() - 1.
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  /// Removes and frees the item at an index.
  void Delete(int index);
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  TListView* Owner() const { return view_; }

 private:
  friend class TListView;
  friend class TListItem;
  friend class ListItemModel;
  explicit TListItems(TListView* view);
  void SetModel(ListItemModel* model) { model_ = model; }
  /// Gives every item its position again after a removal or a sort.
  void Renumber() const;
  /// Takes a new order of the same items (a sort).
  void Reorder(const std::vector<TListItem*>& order);
  /// The view shows the items again from scratch (after an update or a sort).
  void Reset();
  void ItemChanged(TListItem* item);
  void SelectionChanged(TListItem* item, bool selected);
  /// Takes a selection the user made in the view (no echo back to it).
  void FlagSelected(TListItem* item, bool selected);

  TListView* view_;
  ListItemModel* model_ = nullptr;
  std::vector<std::unique_ptr<TListItem>> items_;
  int updateCount_ = 0;
  bool changedInUpdate_ = false;
  mutable bool indexDirty_ = false;
  int selCount_ = 0;
};
