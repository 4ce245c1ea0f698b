#pragma once

#include <vector>

#include "framework/forms/Control.h"

class TImageList;
class TToolButton;

/// The edges a tool bar draws: a set of these bits.
using TEdgeBorders = unsigned;
constexpr TEdgeBorders ebLeft = 1;
constexpr TEdgeBorders ebTop = 2;
constexpr TEdgeBorders ebRight = 4;
constexpr TEdgeBorders ebBottom = 8;

/// A bar of tool buttons (TToolButton), placed from the left in the order
/// they were put on it. Each edge drawn takes two pixels inside the bar.
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

  /// Buttons without a frame until the pointer rests on them.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  /// Buttons show their captions; otherwise their images.
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool show);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int height);
  /// The bar takes the height of its lines of buttons and, when it does
  /// not wrap, the width of its buttons.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  /// Buttons that do not fit the bar's width start a new line.
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool wrapable);
  TEdgeBorders EdgeBorders() const { return edgeBorders_; }
  void SetEdgeBorders(TEdgeBorders edges);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void ChildrenChanged() override;

 private:
  friend class TToolButton;
  /// Places the buttons and, with AutoSize, sizes the bar.
  void Arrange();

  std::vector<TToolButton*> buttons_;
  bool flat_ = false;
  bool showCaptions_ = false;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool autoSize_ = false;
  bool wrapable_ = true;
  TEdgeBorders edgeBorders_ = ebTop;
  TImageList* images_ = nullptr;
  bool arranging_ = false;
};
