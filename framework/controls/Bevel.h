#pragma once

#include "framework/forms/Control.h"

/// What a bevel draws: a sunken or raised frame, or a single edge line.
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
/// Whether a bevel looks sunken or raised.
enum TBevelStyle { bsLowered, bsRaised };

/// A sunken or raised line or frame that separates groups of controls; it
/// takes no input.
class TBevel : public TControl {
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
