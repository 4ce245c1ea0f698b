#include "Menu.h"

#include "MenuItem.h"

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;
