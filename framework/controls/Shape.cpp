#include "framework/controls/Shape.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "framework/graphics/QtConvert.h"

namespace {

class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(TShape* shape) : shape_(shape) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(QtColor(shape_->Brush()->Color));
    QRect r(0, 0, width() - 1, height() - 1);
    const TShapeType type = shape_->Shape();
    // Squares and circles take the shorter side, centred in the bounds.
    if (type == stSquare || type == stRoundSquare || type == stCircle) {
      const int side = std::min(r.width(), r.height());
      r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    switch (type) {
      case stRectangle:
      case stSquare: painter.drawRect(r); break;
      case stRoundRect:
      case stRoundSquare: painter.drawRoundedRect(r, 4, 4); break;
      case stEllipse:
      case stCircle: painter.drawEllipse(r); break;
    }
  }

 private:
  TShape* shape_;
};

}  // namespace

TShape::TShape(TComponent* owner) : TControl(owner) {
  auto* widget = new ShapeWidget(this);
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  SetWidget(widget);
  SetBounds(0, 0, 65, 65);
}

void TShape::SetShape(TShapeType shape) {
  shape_ = shape;
  Invalidate();
}

void TShape::SetBrushColor(TColor color) {
  brush_.Color = color;
  Invalidate();
}
