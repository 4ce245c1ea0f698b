#pragma once

#include <string>

#include "framework/forms/Control.h"

/// A push button. A click sets its form's ModalResult to the button's own
/// (when not 0), then runs OnClick. Enter on the form presses the Default
/// button, Escape the Cancel button.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  /// "&" marks the access key; "&&" is a plain "&".
  void SetCaption(const std::string& caption);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

  /// Presses the button as a user's click would.
  void Click();

 private:
  std::string caption_;
  int modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
};
