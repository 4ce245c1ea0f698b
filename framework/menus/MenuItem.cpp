#include "framework/menus/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <algorithm>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/forms/Control.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), action_(new QAction()) {
  QObject::connect(action_, &QAction::triggered, [this] {
    // Qt flips a checkable action before it reports the trigger; the check
    // mark belongs to the item, which changes it only when told to.
    UpdateCheck();
    Click();
  });
  QObject::connect(action_, &QAction::hovered, [this] {
    if (TControl::HintHandler) TControl::HintHandler(hint_);
  });
}

TMenuItem::~TMenuItem() {
  if (parent_ != nullptr) parent_->Remove(this);
  for (TMenuItem* item : items_) {
    item->parent_ = nullptr;
    if (menu_ != nullptr) menu_->removeAction(item->action_);
  }
  std::vector<TMenuItem*> items;
  items.swap(items_);
  for (TMenuItem* item : items) {
    if (item->Owner() == nullptr) delete item;
  }
  action_->setMenu(nullptr);
  delete menu_;
  delete action_;
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  UpdateText();
}

void TMenuItem::SetShortCutText(const std::string& text) {
  shortCutText_ = text;
  UpdateText();
}

void TMenuItem::UpdateText() {
  action_->setSeparator(IsLine());
  // A menu shows what follows a tab as the short-cut column; the action gets
  // no key sequence, so the key stays the window's.
  // A separator shows no text: styles draw a separator's text beside its line.
  QString text = IsLine() ? QString() : QString::fromStdString(caption_);
  if (!IsLine() && !shortCutText_.empty()) text += QLatin1Char('\t') + QString::fromStdString(shortCutText_);
  action_->setText(text);
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (checked && radioItem_ && parent_ != nullptr) {
    for (TMenuItem* sibling : parent_->items_) {
      if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
        sibling->checked_ = false;
        sibling->UpdateCheck();
      }
    }
  }
  UpdateCheck();
}

void TMenuItem::SetRadioItem(bool radio) {
  radioItem_ = radio;
  if (checked_) SetChecked(true);
}

void TMenuItem::SetGroupIndex(int group) {
  groupIndex_ = group;
  if (checked_) SetChecked(true);
}

void TMenuItem::UpdateCheck() {
  action_->setCheckable(checked_);
  action_->setChecked(checked_);
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  action_->setEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible) {
  visible_ = visible;
  action_->setVisible(visible);
}

QMenu* TMenuItem::SubMenu() {
  if (menu_ == nullptr) {
    menu_ = new QMenu();
    // Leaving the menu leaves its hint on the hint line otherwise.
    QObject::connect(menu_, &QMenu::aboutToHide, [] {
      if (TControl::HintHandler) TControl::HintHandler("");
    });
  }
  return menu_;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) return;
  if (item->parent_ != nullptr) throw Exception("Menu inserted twice");
  for (const TMenuItem* up = this; up != nullptr; up = up->parent_) {
    if (up == item) throw Exception("Menu inserted twice");
  }
  index = std::clamp(index, 0, Count());
  QAction* before = index < Count() ? items_[static_cast<size_t>(index)]->action_ : nullptr;
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  SubMenu()->insertAction(before, item->action_);
  action_->setMenu(menu_);
  if (item->checked_) item->SetChecked(true);
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw Exception("Menu index out of range");
  Remove(items_[static_cast<size_t>(index)]);
}

void TMenuItem::Remove(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->parent_ = nullptr;
  if (menu_ != nullptr) menu_->removeAction(item->action_);
  // An empty sub-menu would still show its arrow.
  if (items_.empty()) action_->setMenu(nullptr);
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick) DispatchEvent([this] { OnClick(this); });
}
