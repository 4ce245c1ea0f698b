#pragma once

#include <memory>

#include "framework/controls/MemoLines.h"
#include "framework/forms/Control.h"

/// A text field of several lines of plain text, reached line by line
/// through Lines.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;

  TMemoLines* Lines() const { return lines_.get(); }

 private:
  std::unique_ptr<TMemoLines> lines_;
};
