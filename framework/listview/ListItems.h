#pragma once

#include <cstdint>
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
  /// Removes every item. Their room is taken again by the items added next
  /// and freed at the end of the next update at the latest, or with the list:
  /// emptying a large list and filling it again allocates little.
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
  /// Grows with every item added or removed, every change of a caption or a
  /// sub-item text and every new order: what a program made from the items'
  /// texts in their order still holds while it stays the same.
  std::uint64_t Revision() const { return revision_; }

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
  /// Takes a new order given as places: order[i] is the place of the item
  /// that goes to place i; raises Exception unless it names each place once.
  void Reorder(const std::vector<int>& order);
  void Revise() { ++revision_; }
  /// Moves every item to the spares, the list left empty.
  void SpareItems();
  void Reordered();
  /// The view shows the items again from scratch (after an update or a sort).
  void Reset();
  void ItemChanged(TListItem* item);
  void SelectionChanged(TListItem* item, bool selected);
  /// Takes a selection the user made in the view (no echo back to it).
  void FlagSelected(TListItem* item, bool selected);

  TListView* view_;
  ListItemModel* model_ = nullptr;
  std::vector<std::unique_ptr<TListItem>> items_;
  // Items removed by Clear, for Add to take again; emptied by EndUpdate.
  std::vector<std::unique_ptr<TListItem>> spare_;
  int updateCount_ = 0;
  bool changedInUpdate_ = false;
  mutable bool indexDirty_ = false;
  int selCount_ = 0;
  std::uint64_t revision_ = 0;
};
