#pragma once

#include <string>

#include "framework/forms/Control.h"

/// A check box with a caption. OnClick runs whenever Checked changes, by
/// the user or by SetChecked.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);

 private:
  std::string caption_;
};
