#pragma once

#include <string>

#include "framework/core/Alignment.h"
#include "framework/core/Object.h"

class TListColumns;

/// One column of a list view's details view: header caption, width,
/// alignment of its texts and an image in its header.
class TListColumn : public TObject {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  /// Width in pixels; follows the user's dragging of the header.
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  /// The header's image, a position in the list view's SmallImages; -1 none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  /// Position among the columns, 0 for the first.
  int Index() const { return index_; }

 private:
  friend class TListColumns;
  TListColumn(TListColumns* owner, int index) : owner_(owner), index_(index) {}
  void Changed();

  TListColumns* owner_;
  int index_;
  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  int imageIndex_ = -1;
};
