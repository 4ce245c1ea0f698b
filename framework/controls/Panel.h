#pragma once

#include <string>

#include "framework/forms/Control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

/// A panel that holds other controls, with an outer and an inner bevel and
/// a caption drawn in its middle.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);

 private:
  std::string caption_;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
};
