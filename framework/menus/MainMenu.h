#pragma once

#include "framework/menus/Menu.h"

/// A window's main menu: the tree of its menus. It has no menu bar of its
/// own; a tool bar's buttons drop its menus down (TToolButton::SetMenuItem).
class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
};
