#pragma once

#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Color.h"

class QImage;
class QPixmap;
class TBitmap;
class TIcon;

/// A list of images of one fixed size. Every image added is scaled to that
/// size; positions count from 0 in the order of adding. A masked list keeps
/// the images' transparent parts; an unmasked one draws them on BkColor.
class TImageList : public TComponent {
 public:
  TImageList(TComponent* owner, int width = 16, int height = 16);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;

  /// Adds an icon; its position, or -1 when the icon holds no image.
  int AddIcon(const TIcon* icon);
  /// Adds a bitmap (mask: none, or a bitmap of the mask); position or -1.
  int Add(const TBitmap* bitmap, const TBitmap* mask = nullptr);
  void Clear();

  /// The image at a position (framework use only); a null pixmap outside the list.
  QPixmap Pixmap(int index) const;

  /// The colour an unmasked list puts behind its images (set before adding).
  TColor BkColor = clWhite;
  /// Kept for the drawing styles that blend an image; the views draw the
  /// selection themselves and do not use it.
  TColor BlendColor = clBlue;
  /// Whether images keep their transparent parts (set before adding).
  bool Masked = true;

 private:
  int Store(const QImage& image);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  int width_;
  int height_;
};
