#pragma once

#include "framework/forms/Control.h"

/// A bar that shows how far a long task has come: Position between Min and
/// Max (0 to 100 at first), kept inside that range.
class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  /// A continuous bar instead of blocks.
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth) { smooth_ = smooth; }
  /// What StepIt adds to Position (10 at first).
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step; }
  void StepIt();

 private:
  void Update();

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  bool smooth_ = false;
};
