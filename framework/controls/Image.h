#pragma once

#include <memory>

#include "framework/forms/Control.h"

class TGraphic;

/// A control that shows a picture at its top left corner. With AutoSize it
/// takes the size of its picture whenever the picture changes. A
/// transparent image draws only the picture's own pixels, so its parent
/// shows through the picture's clear parts; an opaque one draws the picture
/// on its Color.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  /// Shows a copy of a picture (a bitmap or an icon; nullptr or an empty
  /// one shows none). The caller keeps `graphic`.
  void SetPicture(const TGraphic* graphic);
  /// Whether the image shows no picture.
  bool Empty() const;
  int PictureWidth() const;
  int PictureHeight() const;

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 private:
  void Fit();

  bool autoSize_ = false;
  bool transparent_ = false;
};
