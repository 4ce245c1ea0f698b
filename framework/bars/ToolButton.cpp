#include "framework/bars/ToolButton.h"

#include <QHelpEvent>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

#include "framework/bars/ToolBar.h"
#include "framework/core/Dispatch.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"

namespace {

// Shows the button's hint as its tip when the button or its tool bar shows
// hints; the tool bar's setting is read when the tip is asked for, so it may
// change at any time.
class ButtonTip : public QObject {
 public:
  explicit ButtonTip(TToolButton* button) : button_(button) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const TControl* bar = button_->Parent();
    const bool show = button_->ShowHint() || (bar != nullptr && bar->ShowHint());
    if (show && !button_->Hint().empty()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), QString::fromStdString(button_->Hint()),
                         button_->Widget());
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  TToolButton* button_;
};

}  // namespace

TToolButton::TToolButton(TComponent* owner) : TControl(owner) {
  auto* button = new QToolButton();
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(0, 0, 23, 22);
  auto* tip = new ButtonTip(this);
  tip->setParent(button);
  button->installEventFilter(tip);
  QObject::connect(button, &QToolButton::clicked, [this] { Click(); });
  SetWidget(button);
  UpdateLook(false, true);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TToolButton::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  style_ = style;
  Changed();
}

void TToolButton::SetBounds(int left, int top, int width, int height) {
  widthSet_ = std::max(0, width);
  TControl::SetBounds(left, top, width, height);
}

void TToolButton::Changed() {
  if (TToolBar* bar = ToolBar()) {
    bar->Arrange();
  } else {
    UpdateLook(false, true);
  }
}

void TToolButton::UpdateLook(bool flat, bool showCaption) {
  auto* button = static_cast<QToolButton*>(Widget());
  if (button == nullptr) return;
  const bool separator = style_ == tbsSeparator;
  // A separator is only a gap: no frame, no text, and clicks fall through.
  button->setAttribute(Qt::WA_TransparentForMouseEvents, separator);
  button->setAutoRaise(flat || separator);
  if (separator) {
    button->setText(QString());
    button->setIcon(QIcon());
    return;
  }
  if (showCaption) {
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setText(QString::fromStdString(caption_));
    button->setIcon(QIcon());
    return;
  }
  // No text at all, so that a hidden caption's "&" binds no key.
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setText(QString());
  const TToolBar* bar = ToolBar();
  const TImageList* images = bar != nullptr ? bar->Images() : nullptr;
  QPixmap pixmap;
  if (images != nullptr && imageIndex_ >= 0) pixmap = images->Pixmap(imageIndex_);
  if (pixmap.isNull()) {
    button->setIcon(QIcon());
  } else {
    button->setIcon(QIcon(pixmap));
    button->setIconSize(QSize(images->Width(), images->Height()));
  }
}

void TToolButton::Click() {
  if (style_ == tbsSeparator) return;
  if (OnClick) DispatchEvent([this] { OnClick(this); });
  QWidget* w = Widget();
  if (w == nullptr) return;
  const QPoint below = w->mapToGlobal(QPoint(0, w->height()));
  if (dropdownMenu_ != nullptr) {
    dropdownMenu_->Popup(below.x(), below.y());
  } else if (menuItem_ != nullptr) {
    menuItem_->Click();
    // popup(), not exec(): the menu runs in the application's own loop.
    if (menuItem_->Count() > 0) menuItem_->SubMenu()->popup(below);
  }
}
