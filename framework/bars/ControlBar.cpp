#include "framework/bars/ControlBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "framework/core/Dispatch.h"

// The container's own surface: draws the bars' drag handles and lets the
// user drag a bar by its handle to another place, row or a new row.
class ControlBarWidget : public QWidget {
 public:
  explicit ControlBarWidget(TControlBar* bar) : bar_(bar) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    for (int i = 0; i < bar_->ControlCount(); ++i) {
      const TControl* c = bar_->Controls(i);
      if (!c->Visible()) continue;
      const int y1 = c->Top() + 1;
      const int y2 = c->Top() + c->Height() - 2;
      for (int x : {c->Left() - 8, c->Left() - 5}) {
        p.setPen(light);
        p.drawLine(x, y1, x, y2);
        p.setPen(dark);
        p.drawLine(x + 1, y1, x + 1, y2);
      }
    }
    if (bar_->BevelKind() == bkFlat) {
      p.setPen(dark);
      p.drawRect(0, 0, width() - 1, height() - 1);
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    if (TControl* dragged = bar_->BarAtHandle(at.x(), at.y())) {
      setCursor(Qt::SizeAllCursor);
      bar_->StartDrag(dragged, at.x(), at.y());
    }
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    bar_->DragTo(at.x(), at.y());
  }

  void mouseReleaseEvent(QMouseEvent*) override {
    unsetCursor();
    bar_->EndDrag();
  }

 private:
  TControlBar* bar_;
};

TControlBar::TControlBar(TComponent* owner) : TWinControl(owner) {
  auto* widget = new ControlBarWidget(this);
  widget->setGeometry(0, 0, 100, 50);
  SetWidget(widget);
}

TControlBar::~TControlBar() = default;

void TControlBar::SetRowSize(int size) {
  rowSize_ = std::max(1, size);
  Arrange();
}

void TControlBar::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Arrange();
}

void TControlBar::SetRowSnap(bool snap) {
  rowSnap_ = snap;
  Arrange();
}

void TControlBar::SetBevelKind(TBevelKind kind) {
  bevelKind_ = kind;
  Invalidate();
}

int TControlBar::AutoHeight() const { return rowCount_ > 0 ? rowCount_ * rowSize_ + 1 : 0; }

void TControlBar::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, autoSize_ ? AutoHeight() : height);
  Arrange();
}

void TControlBar::ChildrenChanged() { Arrange(); }

void TControlBar::Arrange() {
  // Moving the bars and sizing the container report back here.
  if (arranging_ || Widget() == nullptr) return;
  arranging_ = true;

  struct Entry {
    TControl* control;
    Place* place;
  };
  std::map<int, std::vector<Entry>> rows;
  std::map<const TControl*, Place> kept;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    QWidget* w = c->Widget();
    if (w == nullptr) continue;
    Place& p = kept[c] = places_[c];
    // A bar that is not where it was put last was moved by code: that is
    // now the place it asks for. Each coordinate counts on its own, since
    // code sets Left and Top one after the other and the one it does not
    // set reads back where the bar was pushed to.
    if (!p.known || w->x() != p.placedLeft) p.requestedLeft = w->x();
    if (!p.known || w->y() != p.placedTop) p.requestedTop = w->y();
    p.known = true;
    if (!c->Visible()) {
      p.placedLeft = w->x();
      p.placedTop = w->y();
      continue;
    }
    rows[std::max(0, p.requestedTop) / rowSize_].push_back({c, &p});
  }

  int row = 0;
  for (auto& [key, entries] : rows) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.place->requestedLeft < b.place->requestedLeft; });
    int previousRight = 0;
    for (const Entry& e : entries) {
      QWidget* w = e.control->Widget();
      const int room = std::max(0, rowSize_ - w->height());
      const int offset = rowSnap_ ? room / 2 : std::clamp(e.place->requestedTop - key * rowSize_, 0, room);
      const int left = std::max(e.place->requestedLeft, previousRight + HandleWidth);
      const int top = row * rowSize_ + offset;
      if (w->x() != left || w->y() != top) w->move(left, top);
      e.place->placedLeft = left;
      e.place->placedTop = top;
      previousRight = left + w->width();
    }
    ++row;
  }
  rowCount_ = row;
  places_ = std::move(kept);

  bool resizedOffScreen = false;
  if (autoSize_ && AutoHeight() != Height()) {
    TWinControl::SetBounds(Left(), Top(), Width(), AutoHeight());
    resizedOffScreen = !Widget()->isVisible();
  }
  arranging_ = false;
  Widget()->update();
  // Qt holds back resize events of a widget that is not on the screen; the
  // window's layout must follow the container at once all the same.
  if (resizedOffScreen) {
    Resized();
    if (OnResize) DispatchEvent([this] { OnResize(this); });
  }
}

TControl* TControlBar::BarAtHandle(int x, int y) const {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    const int rowTop = c->Top() / rowSize_ * rowSize_;
    if (x >= c->Left() - HandleWidth && x < c->Left() && y >= rowTop && y < rowTop + rowSize_) return c;
  }
  return nullptr;
}

void TControlBar::StartDrag(TControl* bar, int x, int) {
  dragged_ = bar;
  grabX_ = x - bar->Left();
}

void TControlBar::DragTo(int x, int y) {
  if (dragged_ == nullptr) return;
  // A bar taken out of the container during the drag is no longer moved.
  if (places_.count(dragged_) == 0) {
    dragged_ = nullptr;
    return;
  }
  // The other bars' rows close up as if the dragged bar were gone; the
  // pointer then picks one of those rows or a new one below them, so the
  // choice does not change with the container's height during the drag.
  std::map<int, int> rank;
  for (auto& [control, place] : places_) {
    if (control != dragged_ && control->Visible()) rank[std::max(0, place.requestedTop) / rowSize_] = 0;
  }
  int n = 0;
  for (auto& [key, r] : rank) r = n++;
  for (auto& [control, place] : places_) {
    if (control == dragged_ || !control->Visible()) continue;
    const int key = std::max(0, place.requestedTop) / rowSize_;
    place.requestedTop = rank[key] * rowSize_ + (std::max(0, place.requestedTop) - key * rowSize_);
  }
  Place& p = places_[dragged_];
  const int offset = p.placedTop - p.placedTop / rowSize_ * rowSize_;
  const int row = std::clamp(y < 0 ? 0 : y / rowSize_, 0, n);
  p.requestedLeft = x - grabX_;
  p.requestedTop = row * rowSize_ + offset;
  Arrange();
}

void TControlBar::EndDrag() { dragged_ = nullptr; }
