#pragma once

#include <memory>
#include <string>

#include "framework/graphics/Graphic.h"

/// How far a JPEG picture is scaled down while it is decoded: the decoder
/// skips the work for the pixels it does not keep, so a small picture of a
/// large file comes much faster than the whole one.
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

/// A JPEG picture. Loading reads the file and its header (the size is known
/// at once); the pixels are decoded, at the chosen Scale, when they are first
/// needed. Only decoding is done, never encoding.
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  /// The picture's size at the current Scale (rounded up, as the decoder
  /// rounds); 0 x 0 when empty.
  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  /// Reads a JPEG file (a drive path) and its header; raises Exception when
  /// the file cannot be read or holds no JPEG picture. Nothing is decoded yet.
  void LoadFromFile(const std::string& fileName) override;

  TJPEGScale Scale() const { return scale_; }
  /// Changing the scale drops the pixels decoded so far.
  void SetScale(TJPEGScale scale);
  /// Takes the smallest scale whose picture still covers width x height, so
  /// that drawing it stretched into such a rectangle loses nothing.
  void SetScaleToCover(int width, int height);

  /// Decodes the pixels now, if they are not yet; raises Exception when the
  /// picture's data is damaged.
  void DIBNeeded();

  /// The decoded picture (framework use only); a null image when empty or
  /// when the data cannot be decoded.
  QImage Image() const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  TJPEGScale scale_ = jsFullSize;
};
