#include "framework/bars/ToolBar.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "framework/bars/ToolButton.h"

namespace {

constexpr int kEdge = 2;

// Draws the tool bar's edges as etched lines.
class ToolBarWidget : public QWidget {
 public:
  explicit ToolBarWidget(const TToolBar* bar) : bar_(bar) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const TEdgeBorders edges = bar_->EdgeBorders();
    if (edges == 0) return;
    QPainter p(this);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const int r = width() - 1;
    const int b = height() - 1;
    auto etch = [&](int x1, int y1, int x2, int y2, int dx, int dy) {
      p.setPen(dark);
      p.drawLine(x1, y1, x2, y2);
      p.setPen(light);
      p.drawLine(x1 + dx, y1 + dy, x2 + dx, y2 + dy);
    };
    if ((edges & ebTop) != 0) etch(0, 0, r, 0, 0, 1);
    if ((edges & ebBottom) != 0) etch(0, b - 1, r, b - 1, 0, 1);
    if ((edges & ebLeft) != 0) etch(0, 0, 0, b, 1, 0);
    if ((edges & ebRight) != 0) etch(r - 1, 0, r - 1, b, 1, 0);
  }

 private:
  const TToolBar* bar_;
};

}  // namespace

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  auto* widget = new ToolBarWidget(this);
  widget->setGeometry(0, 0, 150, 29);
  SetWidget(widget);
}

void TToolBar::SetFlat(bool flat) {
  flat_ = flat;
  Arrange();
}

void TToolBar::SetShowCaptions(bool show) {
  showCaptions_ = show;
  Arrange();
}

void TToolBar::SetButtonWidth(int width) {
  buttonWidth_ = std::max(0, width);
  Arrange();
}

void TToolBar::SetButtonHeight(int height) {
  buttonHeight_ = std::max(0, height);
  Arrange();
}

void TToolBar::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Arrange();
}

void TToolBar::SetWrapable(bool wrapable) {
  wrapable_ = wrapable;
  Arrange();
}

void TToolBar::SetEdgeBorders(TEdgeBorders edges) {
  edgeBorders_ = edges;
  Arrange();
  Invalidate();
}

void TToolBar::SetImages(TImageList* images) {
  images_ = images;
  Arrange();
}

void TToolBar::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  Arrange();
}

void TToolBar::ChildrenChanged() {
  buttons_.clear();
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* button = dynamic_cast<TToolButton*>(Controls(i))) buttons_.push_back(button);
  }
  Arrange();
}

void TToolBar::Arrange() {
  // Placing buttons and sizing the bar report back here; one pass is enough.
  if (arranging_ || Widget() == nullptr) return;
  arranging_ = true;
  const int left = (edgeBorders_ & ebLeft) != 0 ? kEdge : 0;
  const int top = (edgeBorders_ & ebTop) != 0 ? kEdge : 0;
  const int right = (edgeBorders_ & ebRight) != 0 ? kEdge : 0;
  const int bottom = (edgeBorders_ & ebBottom) != 0 ? kEdge : 0;
  const int lineEnd = Width() - right;
  int x = left;
  int y = top;
  int widest = left;
  for (TToolButton* button : buttons_) {
    button->UpdateLook(flat_, showCaptions_);
    if (!button->Visible()) continue;
    const int w = button->Style() == tbsSeparator ? button->SeparatorWidth() : buttonWidth_;
    if (wrapable_ && x > left && x + w > lineEnd) {
      x = left;
      y += buttonHeight_;
    }
    button->Widget()->setGeometry(x, y, w, buttonHeight_);
    x += w;
    widest = std::max(widest, x);
  }
  if (autoSize_) {
    const int width = wrapable_ ? Width() : widest + right;
    const int height = y + buttonHeight_ + bottom;
    if (width != Width() || height != Height()) TWinControl::SetBounds(Left(), Top(), width, height);
  }
  arranging_ = false;
}
