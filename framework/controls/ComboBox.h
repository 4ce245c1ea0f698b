#pragma once

#include <string>
#include <vector>

#include "framework/forms/Control.h"

/// A drop-down list of texts with an edit field: the user picks an item or
/// types a text of his own; typed texts are not added to the items.
/// OnChange runs after every change of the text, by the user or by SetText.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  /// Appends an item to the list.
  void AddItem(const std::string& text);
  int ItemCount() const;
  /// The item at an index; raises Exception outside 0 .. ItemCount() - 1.
  std::string Item(int index) const;

  /// The text of the edit field.
  std::string Text() const;
  /// Sets the edit field's text; an item with exactly this text becomes the
  /// chosen one, else none is.
  void SetText(const std::string& text);

  TNotifyEvent OnChange;
};
