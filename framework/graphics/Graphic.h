#pragma once

#include <string>

#include "framework/core/Object.h"

class QImage;

/// A picture that a canvas can draw: a bitmap or an icon.
class TGraphic : public TObject {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  /// True when the graphic holds no picture.
  virtual bool Empty() const = 0;
  /// Loads the picture from an image file (a drive path); raises Exception
  /// when the file cannot be read or holds no picture of this kind.
  virtual void LoadFromFile(const std::string& fileName) = 0;

  /// The picture (framework use only); a null image when empty.
  virtual QImage Image() const = 0;
};
