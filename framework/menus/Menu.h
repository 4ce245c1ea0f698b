#pragma once

#include <memory>

#include "framework/core/Component.h"

class TMenuItem;

/// What main menus and pop-up menus share: a tree of items below one root.
class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  /// The root item; the menu's items are its sub-menu.
  TMenuItem* Items() const { return items_.get(); }

 private:
  std::unique_ptr<TMenuItem> items_;
};
