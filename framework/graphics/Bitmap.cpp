#include "framework/graphics/Bitmap.h"

#include <QImage>

#include "framework/core/Exception.h"
#include "framework/graphics/Canvas.h"
#include "platform/files/FileIO.h"

struct TBitmap::Impl {
  QImage image;
  TCanvas canvas;
};

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) { impl_->canvas.AttachImage(&impl_->image); }
TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return impl_->image.width(); }
int TBitmap::Height() const { return impl_->image.height(); }
bool TBitmap::Empty() const { return impl_->image.isNull(); }

void TBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    impl_->image = QImage();
    return;
  }
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(Qt::white);
  impl_->image = std::move(image);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  const auto bytes = platform::ReadWholeFile(fileName);
  if (!bytes) throw Exception("Cannot open file \"" + fileName + "\"");
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()))) {
    throw Exception("Bitmap image is not valid");
  }
  impl_->image = std::move(image);
}

void TBitmap::LoadFromResourceName(HMODULE module, const std::string& name) {
  const auto bytes = module != nullptr ? LoadResourceBitmap(module, name) : std::nullopt;
  if (!bytes) throw Exception("Resource " + name + " not found");
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()))) {
    throw Exception("Bitmap image is not valid");
  }
  impl_->image = std::move(image);
}

void TBitmap::Assign(const TBitmap* source) { impl_->image = source != nullptr ? source->impl_->image : QImage(); }

unsigned char* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= Height()) return nullptr;
  // Decoders write three bytes a pixel, so the rows must be in that layout.
  if (impl_->image.format() != QImage::Format_RGB888) {
    impl_->image = impl_->image.convertToFormat(QImage::Format_RGB888);
  }
  return impl_->image.scanLine(row);
}

TCanvas* TBitmap::Canvas() { return &impl_->canvas; }

QImage TBitmap::Image() const { return impl_->image; }
void TBitmap::SetImage(const QImage& image) { impl_->image = image; }
