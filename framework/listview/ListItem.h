#pragma once

#include <string>

#include "framework/core/Object.h"
#include "framework/core/Rect.h"
#include "framework/listview/SubItems.h"

class TListItems;
class TListView;

/// Which part of an item DisplayRect gives: the whole item, its icon, or its text.
enum TDisplayCode { drBounds, drIcon, drLabel };

/// One item of a list view: caption, sub-item texts, image, selected and
/// cut state, and a pointer of the program's own.
class TListItem : public TObject {
 public:
  ~TListItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TSubItems* SubItems() { return &subItems_; }
  const TSubItems* SubItems() const { return &subItems_; }
  /// Position in the list view's image lists; -1 shows no image.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  /// A cut item is drawn dimmed until it is pasted or the cut is dropped.
  bool Cut() const { return cut_; }
  void SetCut(bool cut);
  /// Whether the item has the keyboard focus (the focus rectangle).
  bool Focused() const;
  void SetFocused(bool focused);

  /// Position in the list, 0 for the first item.
  int Index() const;
  TListItems* Owner() const { return owner_; }
  TListView* ListView() const;

  /// Removes the item from its list and frees it.
  void Delete();
  /// Scrolls the list so that the item is in view.
  void MakeVisible(bool partialOK = false);
  /// A part of the item, in the coordinates the list draws in (its client
  /// area below the column headers); empty while the list shows no items.
  TRect DisplayRect(TDisplayCode code) const;
  /// Starts editing the caption; false when the list is read-only.
  bool EditCaption();

  /// The program's own pointer; the list never looks at it.
  void* Data = nullptr;

 private:
  friend class TListItems;
  friend class TSubItems;
  explicit TListItem(TListItems* owner);
  /// Empties the item for Add to give it again, keeping its texts' room.
  void Reuse();
  /// Tells the list that the item must be drawn again.
  void Changed();
  /// A text of the item changed: the list's revision grows, and it is drawn again.
  void Revised();

  TListItems* owner_;
  std::string caption_;
  TSubItems subItems_;
  int imageIndex_ = -1;
  int index_ = 0;
  bool selected_ = false;
  bool cut_ = false;
};
