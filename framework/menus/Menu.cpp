#include "framework/menus/Menu.h"

#include "framework/menus/MenuItem.h"

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;
