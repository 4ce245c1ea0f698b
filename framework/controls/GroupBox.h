#pragma once

#include <string>

#include "framework/forms/Control.h"

/// A framed box with a caption in its top edge that holds other controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 private:
  std::string caption_;
};
