#include "framework/controls/Panel.h"

#include <QPainter>
#include <QWidget>

namespace {

// Draws the bevels (one pixel each, light above and left when raised) and
// the centred caption, as a panel looks.
class PanelWidget : public QWidget {
 public:
  TBevelCut outer = bvRaised;
  TBevelCut inner = bvNone;
  QString caption;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QRect r = rect();
    // A panel is opaque in its colour (its parent's unless it has its own),
    // so what lies behind it (a list's rows) never shows through.
    painter.fillRect(r, palette().color(QPalette::Window));
    for (TBevelCut bevel : {outer, inner}) {
      if (bevel == bvNone) continue;
      if (bevel != bvSpace) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = bevel == bvRaised ? light : dark;
        const QColor bottomRight = bevel == bvRaised ? dark : light;
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
      }
      r.adjust(1, 1, -1, -1);
    }
    if (!caption.isEmpty()) {
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(r, Qt::AlignCenter, caption);
    }
  }
};

}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  SetWidget(new PanelWidget());
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<PanelWidget*>(Widget())->caption = QString::fromStdString(caption);
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  bevelOuter_ = bevel;
  static_cast<PanelWidget*>(Widget())->outer = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  bevelInner_ = bevel;
  static_cast<PanelWidget*>(Widget())->inner = bevel;
  Invalidate();
}
