#pragma once

#include "framework/forms/Control.h"
#include "framework/graphics/Brush.h"

/// The figure a shape draws in its bounds.
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

/// A plain figure filled with its brush colour and outlined in black, such
/// as the coloured squares of a chart's legend.
class TShape : public TControl {
 public:
  explicit TShape(TComponent* owner);

  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType shape);
  /// The fill colour; call Invalidate after changing it.
  TBrush* Brush() { return &brush_; }
  void SetBrushColor(TColor color);

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_;
};
