#pragma once

#include <string>

#include "framework/forms/Control.h"

class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsSeparator };

/// A button of a tool bar (TToolBar). The tool bar places its buttons from
/// the left in the order they were put on it, each ButtonWidth wide; a
/// separator keeps its own width (8 unless set).
class TToolButton : public TControl {
 public:
  explicit TToolButton(TComponent* owner);

  /// Shown when the tool bar shows captions; "&" marks an accelerator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  /// The image from the tool bar's Images shown when it shows no captions.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);

  /// A menu item whose sub-menu drops down below the button when it is clicked.
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* item) { menuItem_ = item; }
  /// A pop-up menu that drops down below the button when it is clicked
  /// (it wins over MenuItem).
  TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* menu) { dropdownMenu_ = menu; }

  /// Acts as a user's click: runs OnClick, then drops its menu down, if it
  /// has one (a menu item's own OnClick runs as its sub-menu opens). A
  /// separator does nothing. Returns while the menu is still open.
  void Click();

  /// Keeps the width for a separator; a button's width is its tool bar's.
  void SetBounds(int left, int top, int width, int height) override;

 private:
  friend class TToolBar;
  TToolBar* ToolBar() const;
  void Changed();
  int SeparatorWidth() const { return widthSet_ >= 0 ? widthSet_ : 8; }
  /// Brings the widget in line with the tool bar's way of showing buttons.
  void UpdateLook(bool flat, bool showCaption);

  std::string caption_;
  int imageIndex_ = -1;
  TToolButtonStyle style_ = tbsButton;
  int widthSet_ = -1;
  TMenuItem* menuItem_ = nullptr;
  TPopupMenu* dropdownMenu_ = nullptr;
};
