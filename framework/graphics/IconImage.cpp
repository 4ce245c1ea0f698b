#include "framework/graphics/IconImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <optional>
#include <vector>

#include "framework/core/Exception.h"
#include "platform/files/FileIO.h"

struct TIcon::Impl {
  // Decoded once per handle: an icon is drawn far more often than it changes.
  std::optional<std::vector<QImage>> images;
};

TIcon::TIcon() : impl_(std::make_unique<Impl>()) {}
TIcon::~TIcon() = default;

void TIcon::SetHandle(HICON handle) {
  handle_ = std::move(handle);
  impl_->images.reset();
}

namespace {
std::vector<QImage> Decode(const HICON& handle) {
  std::vector<QImage> images;
  if (!handle || handle->imageBytes.empty()) return images;
  QByteArray bytes =
      QByteArray::fromRawData(handle->imageBytes.data(), static_cast<qsizetype>(handle->imageBytes.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // An icon file holds one picture per size; other image files hold one.
  do {
    QImage image = reader.read();
    if (image.isNull()) break;
    images.push_back(std::move(image));
  } while (reader.jumpToNextImage());
  return images;
}
}  // namespace

QImage TIcon::ImageForSize(int width, int height) const {
  if (!impl_->images) impl_->images = Decode(handle_);
  const std::vector<QImage>& images = *impl_->images;
  if (images.empty()) return {};
  const QImage* best = nullptr;
  for (const QImage& image : images) {
    if (image.width() >= width && image.height() >= height) {
      if (best == nullptr || image.width() < best->width()) best = &image;
    }
  }
  if (best != nullptr) return *best;
  best = &images.front();
  for (const QImage& image : images) {
    if (image.width() > best->width()) best = &image;
  }
  return *best;
}

QImage TIcon::Image() const {
  if (!impl_->images) impl_->images = Decode(handle_);
  return impl_->images->empty() ? QImage() : impl_->images->front();
}

int TIcon::Width() const { return Image().width(); }
int TIcon::Height() const { return Image().height(); }
bool TIcon::Empty() const { return Image().isNull(); }

void TIcon::LoadFromFile(const std::string& fileName) {
  auto bytes = platform::ReadWholeFile(fileName);
  if (!bytes) throw Exception("Cannot open file \"" + fileName + "\"");
  auto icon = std::make_shared<IconResource>();
  icon->imageBytes = std::move(*bytes);
  HICON handle = std::move(icon);
  if (Decode(handle).empty()) throw Exception("Icon image is not valid");
  SetHandle(std::move(handle));
}
