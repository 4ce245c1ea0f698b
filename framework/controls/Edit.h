#pragma once

#include <string>

#include "framework/forms/Control.h"

/// A one-line text field. OnKeyDown gets Windows virtual-key codes before
/// the field does; a handler that sets the key to 0 keeps it from the field
/// (and from the form). OnChange runs after every change of the text, by
/// the user or by SetText.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);

  std::string Text() const;
  void SetText(const std::string& text);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  /// The caret position, or where the selection starts while characters are
  /// selected, and the number of selected characters. Both count the
  /// characters the field shows, from 0.
  int SelStart() const;
  int SelLength() const;
  /// Moves the caret there, selecting nothing.
  void SetSelStart(int start);
  /// Selects that many characters from SelStart on.
  void SetSelLength(int length);
  /// Puts text in place of the selection (at the caret when none).
  void SetSelText(const std::string& text);

  TNotifyEvent OnChange;
};
