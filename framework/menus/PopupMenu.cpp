#include "framework/menus/PopupMenu.h"

#include <QMenu>
#include <QPoint>

#include "framework/core/Dispatch.h"
#include "framework/forms/Control.h"
#include "framework/menus/MenuItem.h"

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  // Set here rather than by a static initialiser, whose order against the
  // hook's own definition is not fixed; a hook a test installed stays.
  if (!TControl::PopupHandler) {
    TControl::PopupHandler = [](TPopupMenu* menu, int x, int y) {
      if (menu->AutoPopup) menu->Popup(x, y);
    };
  }
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) DispatchEvent([this] { OnPopup(this); });
  // popup() does not wait for the menu; exec() would run a nested loop.
  Items()->SubMenu()->popup(QPoint(x, y));
}

void TPopupMenu::CloseUp() { Items()->SubMenu()->hide(); }

bool TPopupMenu::IsOpen() const { return Items()->SubMenu()->isVisible(); }
