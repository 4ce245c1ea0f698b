#pragma once

#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Events.h"

class QAction;
class QMenu;

/// One item of a menu: a command, a separator (caption "-") or a sub-menu
/// holding items of its own. A short-cut text is only shown beside the
/// caption; the key itself is handled by the window's key handler, never by
/// the menu.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  /// Leaves its parent; frees the items it holds that have no owner (items
  /// with an owner are freed by it and only leave this sub-menu).
  ~TMenuItem() override;

  /// The caption; "&" marks the next letter as the item's accelerator
  /// ("&&" is an ampersand), "-" makes the item a separator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }

  /// The text shown at the right of the caption ("Ctrl+X", "Alt+Enter").
  const std::string& ShortCutText() const { return shortCutText_; }
  void SetShortCutText(const std::string& text);

  /// Goes to the application's hint line while the item is highlighted.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  bool Checked() const { return checked_; }
  /// Checking a radio item clears the other radio items of its group under
  /// the same parent.
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radio);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int group);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  /// The sub-menu: the items this one holds, in their order.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  /// Raises `Exception` for an item that already stands in a menu.
  void Insert(int index, TMenuItem* item);
  /// Takes the item at index out of the sub-menu without freeing it.
  void Delete(int index);

  /// Runs OnClick as a user's choice of the item does (nothing while the
  /// item is disabled).
  void Click();

  TNotifyEvent OnClick;

  /// The Qt action that shows the item in its parent's menu (framework use only).
  QAction* Action() const { return action_; }
  /// The Qt menu of the item's sub-menu, made on first use (framework use only).
  QMenu* SubMenu();

 private:
  void UpdateText();
  void UpdateCheck();
  void Remove(TMenuItem* item);

  std::string caption_;
  std::string shortCutText_;
  std::string hint_;
  bool checked_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  QAction* action_;
  QMenu* menu_ = nullptr;
};
