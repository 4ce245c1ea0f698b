#pragma once

#include <memory>
#include <string>

#include "framework/graphics/Graphic.h"
#include "platform/libraries/Library.h"

class TCanvas;

/// A picture of pixels in memory, with a canvas to draw on it. New bitmaps
/// are empty (0 x 0).
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  /// Makes a white picture of this size (24-bit, red-green-blue).
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }

  void LoadFromFile(const std::string& fileName) override;
  /// Loads the bitmap stored under `name` in a resource library; raises
  /// Exception "Resource <name> not found" when the library holds none.
  void LoadFromResourceName(HMODULE module, const std::string& name);
  /// Copies the picture of another bitmap (nullptr empties this one).
  void Assign(const TBitmap* source);

  /// One row of pixels for writing decoded pictures: Width() pixels of three
  /// bytes each, red, green, blue. `row` counts from the top; nullptr outside.
  unsigned char* ScanLine(int row);

  /// The canvas that draws on this bitmap.
  TCanvas* Canvas();

  QImage Image() const override;
  /// Takes a picture (framework use only).
  void SetImage(const QImage& image);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
