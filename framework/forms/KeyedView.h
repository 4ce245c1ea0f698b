#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <type_traits>

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
  // A view that gets the focus with no current item keeps none: a focus
  // frame on an item that is not selected would make the first key move
  // from it (Down to the second item, Home to nothing).
  void focusInEvent(QFocusEvent* event) override {
    const bool hadCurrent = this->currentIndex().isValid();
    View::focusInEvent(event);
    if (!hadCurrent && this->currentIndex().isValid() && this->selectionModel() != nullptr)
      this->selectionModel()->clearCurrentIndex();
  }
  // With no current item, End goes to the last item and every other move
  // to the first (Qt takes the first for all of them).
  QModelIndex moveCursor(typename View::CursorAction action, Qt::KeyboardModifiers modifiers) override {
    if (action != View::MoveEnd || this->currentIndex().isValid() || this->model() == nullptr)
      return View::moveCursor(action, modifiers);
    return LastShown();
  }
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

 private:
  // The last item a user sees: in a tree, down through the open nodes.
  QModelIndex LastShown() const {
    const QAbstractItemModel* model = this->model();
    QModelIndex last;
    QModelIndex parent = this->rootIndex();
    for (;;) {
      const int rows = model->rowCount(parent);
      if (rows == 0) return last;
      last = model->index(rows - 1, 0, parent);
      if constexpr (std::is_base_of_v<QTreeView, View>) {
        if (!this->isExpanded(last)) return last;
      } else {
        return last;
      }
      parent = last;
    }
  }
};
