#pragma once

#include "framework/core/Events.h"
#include "framework/menus/Menu.h"

/// A context menu: a control whose PopupMenu names it opens it on a
/// context-menu request (a right click or the menu key).
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);

  /// Runs OnPopup, then opens the menu at a point on the screen. Returns at
  /// once; the menu stays open until an item is chosen or it is dismissed.
  void Popup(int x, int y);
  /// Closes the menu if it is open.
  void CloseUp();
  bool IsOpen() const;

  /// Whether a context-menu request on a control opens the menu.
  bool AutoPopup = true;
  /// Runs just before the menu opens; it may change the items.
  TNotifyEvent OnPopup;
};
