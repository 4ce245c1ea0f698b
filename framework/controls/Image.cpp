#include "framework/controls/Image.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "framework/graphics/Graphic.h"

namespace {

// Paints the picture; the background is filled only while the image is opaque.
class ImageWidget : public QWidget {
 public:
  QImage picture;
  bool transparent = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (!transparent) painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture.isNull()) painter.drawImage(0, 0, picture);
  }
};

ImageWidget* View(const TImage* image) { return static_cast<ImageWidget*>(image->Widget()); }

}  // namespace

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetWidget(new ImageWidget());
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetPicture(const TGraphic* graphic) {
  View(this)->picture = graphic != nullptr && !graphic->Empty() ? graphic->Image() : QImage();
  Fit();
  Invalidate();
}

bool TImage::Empty() const { return View(this)->picture.isNull(); }
int TImage::PictureWidth() const { return View(this)->picture.width(); }
int TImage::PictureHeight() const { return View(this)->picture.height(); }

void TImage::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void TImage::SetTransparent(bool transparent) {
  transparent_ = transparent;
  View(this)->transparent = transparent;
  if (transparent) Widget()->setAutoFillBackground(false);
  Invalidate();
}

void TImage::Fit() {
  // An image without a picture keeps the size it was given.
  if (!autoSize_ || Empty()) return;
  SetBounds(Left(), Top(), PictureWidth(), PictureHeight());
}
