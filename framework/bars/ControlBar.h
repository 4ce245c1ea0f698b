#pragma once

#include <map>

#include "framework/forms/Control.h"

enum TBevelKind { bkNone, bkFlat };

/// A container of movable bars (tool bars, panels) in rows of RowSize
/// pixels, each bar with a drag handle at its left.
///
/// A bar stands in row Top / RowSize. Rows in which no visible bar stands
/// take no room: the rows below move up, and move back when a bar of the
/// empty row is shown again, since the container keeps the position each bar
/// was given. Within a row the bars go by their Left; a bar that would cover
/// the one before it (or its handle) is pushed right. Bars do not wrap at
/// the container's right edge. With AutoSize the container is as high as
/// its rows and one pixel more (two rows of 27 make 55), 0 without a row.
class TControlBar : public TWinControl {
 public:
  explicit TControlBar(TComponent* owner);
  ~TControlBar() override;

  /// The width of the drag handle left of each bar; no bar stands left of it.
  static constexpr int HandleWidth = 11;

  int RowSize() const { return rowSize_; }
  void SetRowSize(int size);
  /// The height follows the rows.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  /// Bars are centred in their rows; otherwise each keeps its offset from
  /// its row's top (as far as it still fits the row).
  bool RowSnap() const { return rowSnap_; }
  void SetRowSnap(bool snap);
  /// bkFlat draws a line around the container; bkNone nothing.
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind kind);

  /// The number of rows in which a visible bar stands.
  int RowCount() const { return rowCount_; }

  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void ChildrenChanged() override;

 private:
  friend class ControlBarWidget;
  struct Place {
    int requestedLeft = 0;
    int requestedTop = 0;
    int placedLeft = 0;
    int placedTop = 0;
    bool known = false;
  };

  /// Takes over positions that code set since the last arrangement, then
  /// places the visible bars row by row and sizes the container.
  void Arrange();
  int AutoHeight() const;
  TControl* BarAtHandle(int x, int y) const;
  void StartDrag(TControl* bar, int x, int y);
  void DragTo(int x, int y);
  void EndDrag();

  int rowSize_ = 26;
  bool autoSize_ = false;
  bool rowSnap_ = true;
  TBevelKind bevelKind_ = bkNone;
  int rowCount_ = 0;
  bool arranging_ = false;
  std::map<const TControl*, Place> places_;
  TControl* dragged_ = nullptr;
  int grabX_ = 0;
};
