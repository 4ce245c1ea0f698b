#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QStyleOptionViewItem>

// Internal to the framework: a Qt item view as the list and tree views use
// it. Keys end at the view, as they end at a focused control: the control's
// OnKeyDown has seen them already, and passing them on to the parent widget
// would report them twice. The view's own copy-to-clipboard key is left
// out: the program decides what Ctrl+C copies.
template <class View>
class KeyedView : public View {
 public:
  using View::View;
  void InitOption(QStyleOptionViewItem* option) const { this->initViewItemOption(option); }
  bool Editing() const { return this->state() == View::EditingState; }
  // A right click only opens the pop-up menu: the selection stays (the
  // tree's pop-up acts on the selected node).
  bool keepSelectionOnRightClick = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event != QKeySequence::Copy) View::keyPressEvent(event);
    event->accept();
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (keepSelectionOnRightClick && event->button() == Qt::RightButton) {
      event->accept();
      return;
    }
    View::mousePressEvent(event);
  }
};
