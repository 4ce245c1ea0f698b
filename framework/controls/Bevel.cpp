#include "framework/controls/Bevel.h"

#include <QPainter>
#include <QWidget>

namespace {

// Each edge is a dark and a light line side by side; which comes first
// makes the bevel look sunken or raised.
class BevelWidget : public QWidget {
 public:
  TBevelShape shape = bsBox;
  TBevelStyle style = bsLowered;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const QColor first = style == bsLowered ? dark : light;
    const QColor second = style == bsLowered ? light : dark;
    const int right = width() - 1;
    const int bottom = height() - 1;
    auto line = [&painter](const QColor& color, int x1, int y1, int x2, int y2) {
      painter.setPen(color);
      painter.drawLine(x1, y1, x2, y2);
    };
    switch (shape) {
      case bsTopLine:
        line(first, 0, 0, right, 0);
        line(second, 0, 1, right, 1);
        break;
      case bsBottomLine:
        line(first, 0, bottom - 1, right, bottom - 1);
        line(second, 0, bottom, right, bottom);
        break;
      case bsLeftLine:
        line(first, 0, 0, 0, bottom);
        line(second, 1, 0, 1, bottom);
        break;
      case bsRightLine:
        line(first, right - 1, 0, right - 1, bottom);
        line(second, right, 0, right, bottom);
        break;
      case bsBox:
      case bsFrame:
        line(first, 0, 0, right, 0);
        line(first, 0, 0, 0, bottom);
        line(second, 0, bottom, right, bottom);
        line(second, right, 0, right, bottom);
        break;
      case bsSpacer: break;
    }
  }
};

}  // namespace

TBevel::TBevel(TComponent* owner) : TControl(owner) {
  auto* widget = new BevelWidget();
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  SetWidget(widget);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  static_cast<BevelWidget*>(Widget())->shape = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  static_cast<BevelWidget*>(Widget())->style = style;
  Invalidate();
}
