#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Control.h"
#include "framework/listview/ListItem.h"

class TCanvas;
class TImageList;
class TListColumn;
class TListColumns;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

/// A set of item drawing-state bits, as OnCustomDrawItem reports them.
using TCustomDrawState = unsigned;
constexpr TCustomDrawState cdsSelected = 1;
constexpr TCustomDrawState cdsGrayed = 2;
constexpr TCustomDrawState cdsDisabled = 4;
constexpr TCustomDrawState cdsChecked = 8;
constexpr TCustomDrawState cdsFocused = 16;
constexpr TCustomDrawState cdsDefault = 32;
constexpr TCustomDrawState cdsHot = 64;

/// Compare: below zero when Item1 goes first, zero when equal, above zero when Item2 goes first.
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
/// S holds the edited text; what the handler leaves there becomes the caption.
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
/// Runs before an item is drawn, with the list's Canvas drawing on it; a
/// handler that draws the item itself sets DefaultDraw to false.
using TLVCustomDrawItemEvent =
    std::function<void(TObject* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;

/// A list of items shown as large icons, small icons, a list, or a details
/// report with columns. The items live in the list's own store; the view
/// shows them with uniform item sizes, so lists of 100,000 items lay out in
/// milliseconds.
class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;

  TListItems* Items() const;
  TListColumns* Columns() const;

  TViewStyle ViewStyle() const { return viewStyle_; }
  /// Switches the view; items, selection and focus stay.
  void SetViewStyle(TViewStyle style);
  /// Images of the icon view, and of the other views and column headers.
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* images);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* images);

  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multi);
  /// In the details view, the whole row shows the selection and focus.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool rowSelect);
  /// No editing of captions.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  /// The selection is not shown while the list has no focus.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool hide);
  /// Milliseconds of hovering before an item is highlighted; the view does
  /// not highlight hovered items, so the value is only kept.
  int HoverTime = -1;
  /// Kept for the form's settings: the view always draws double-buffered.
  bool DoubleBuffered = false;

  int SelCount() const;
  /// The first selected item, nullptr when none.
  TListItem* Selected() const;
  /// Selects only this item (nullptr: nothing).
  void SetSelected(TListItem* item);
  /// The item with the focus rectangle, nullptr when none.
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* item);
  /// Whether a caption is being edited.
  bool IsEditing() const;

  /// Sorts all items through OnCompare (by caption, case ignored, without
  /// one); Data is handed to OnCompare as 0. Equal items keep their order.
  bool AlphaSort();
  /// Sorts all items through a comparison (nullptr: OnCompare), handing it Data.
  bool CustomSort(const std::function<int(TListItem*, TListItem*, int)>& compare, int data);
  /// Puts the items in an order a program has sorted them into by keys of
  /// its own, and shows them as after a sort: order[i] is the place of the
  /// item that goes to place i. Raises Exception unless it names each place once.
  void ArrangeItems(const std::vector<int>& order);

  /// The drawing surface that OnCustomDrawItem draws the item on.
  TCanvas* Canvas() const;

  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;
  TLVEditedEvent OnEdited;
  TLVCustomDrawItemEvent OnCustomDrawItem;

  /// The item view that shows the items now (framework use only).
  QWidget* ActiveView() const;
  /// The views inside take the list's colour as their text area's.
  bool HasTextArea() const override { return true; }

 protected:
  bool EditorOwnsKeys() const override { return IsEditing(); }

 private:
  friend class TListItems;
  friend class TListItem;
  friend class TListColumns;
  friend class TListColumn;
  friend class ListItemDelegate;

  void SuspendDrawing(bool suspend);
  void ItemsReset();
  void ItemsGoing(TListItem* item);
  void ShowSelection(TListItem* item);
  void MakeItemVisible(const TListItem* item);
  TRect ItemRect(const TListItem* item, TDisplayCode code) const;
  bool EditItem(const TListItem* item);
  void BeforeColumnAdded(int index);
  void AfterColumnAdded(TListColumn* column);
  void ColumnChanged(TListColumn* column);
  void ApplyStyle();
  void ApplySelectionLook();

  struct Impl;
  std::unique_ptr<Impl> impl_;
  TViewStyle viewStyle_ = vsIcon;
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
  bool multiSelect_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = true;
};
