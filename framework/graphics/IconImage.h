#pragma once

#include <memory>
#include <string>

#include "framework/graphics/Graphic.h"
// TIcon's header is not Icon.h: that name is the platform's icon handle,
// and both folders are on every include path.
#include "platform/libraries/Icon.h"

/// An icon: the image-file bytes behind an HICON (PNG, XPM, ICO ...).
class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;

  HICON Handle() const { return handle_; }
  /// Takes an icon handle (nullptr empties the icon).
  void SetHandle(HICON handle);

  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  void LoadFromFile(const std::string& fileName) override;

  QImage Image() const override;
  /// The icon's picture that suits a size best (framework use only): of the
  /// sizes an icon file holds, the smallest that covers it, else the largest.
  QImage ImageForSize(int width, int height) const;

 private:
  HICON handle_;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
