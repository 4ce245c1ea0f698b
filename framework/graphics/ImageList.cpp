#include "framework/graphics/ImageList.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/IconImage.h"
#include "framework/graphics/QtConvert.h"

struct TImageList::Impl {
  std::vector<QPixmap> images;
};

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), impl_(std::make_unique<Impl>()), width_(width), height_(height) {}
TImageList::~TImageList() = default;

int TImageList::Count() const { return static_cast<int>(impl_->images.size()); }

namespace {
// Every image of a list has the list's size, whatever size it came in.
QImage Fitted(const QImage& image, int width, int height) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (out.width() != width || out.height() != height) {
    out = out.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return out;
}
}  // namespace

int TImageList::Store(const QImage& image) {
  if (image.isNull() || width_ <= 0 || height_ <= 0) return -1;
  QImage fitted = Fitted(image, width_, height_);
  if (!Masked) {
    // An unmasked list draws its images opaque, on its background colour.
    QImage opaque(fitted.size(), QImage::Format_ARGB32_Premultiplied);
    opaque.fill(QtColor(BkColor));
    QPainter painter(&opaque);
    painter.drawImage(0, 0, fitted);
    painter.end();
    fitted = std::move(opaque);
  }
  impl_->images.push_back(QPixmap::fromImage(fitted));
  return Count() - 1;
}

int TImageList::AddIcon(const TIcon* icon) {
  if (icon == nullptr) return -1;
  return Store(icon->ImageForSize(width_, height_));
}

int TImageList::Add(const TBitmap* bitmap, const TBitmap* mask) {
  if (bitmap == nullptr || bitmap->Empty()) return -1;
  QImage image = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
  if (mask != nullptr && !mask->Empty()) {
    // The mask's white pixels are the transparent ones.
    const QImage m = mask->Image().scaled(image.size()).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      const auto* mrow = reinterpret_cast<const QRgb*>(m.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(mrow[x]) > 127) row[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  return Store(image);
}

void TImageList::Clear() { impl_->images.clear(); }

QPixmap TImageList::Pixmap(int index) const {
  if (index < 0 || index >= Count()) return {};
  return impl_->images[static_cast<size_t>(index)];
}
