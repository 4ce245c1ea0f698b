#include "framework/forms/Control.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "framework/core/Dispatch.h"
#include "framework/core/KeyMap.h"
#include "framework/core/Messages.h"
#include "framework/core/VirtualKeys.h"

std::function<void(const std::string&)> TControl::HintHandler;
std::function<void(TPopupMenu*, int, int)> TControl::PopupHandler;
std::function<bool(TControl*, unsigned short&, TShiftState)> TControl::KeyPreviewHandler;

// Watches a widget's input and turns it into the control's events, so every
// handler sees Windows key codes and runs inside the framework's dispatch.
class ControlInput : public QObject {
 public:
  explicit ControlInput(TControl* control) : control_(control) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: {
        // The characters a key press event handler put in place of the typed ones pass through.
        if (typing_) return false;
        // A key the open editor did not take (Enter, which ends the edit)
        // travels on to the view: it is the editor's all the same.
        if (control_->EditorOwnsKeys()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        unsigned short vk = VirtualKeyFromQt(key->key());
        const TShiftState shift = ShiftFromQt(key->modifiers());
        const std::string typed = TypedCharacters(*key, vk, shift);
        if (control_->RunKeyDown(vk, shift)) return true;
        if (typed.empty() || !control_->OnKeyPress) return false;
        return PressEachByte(static_cast<QWidget*>(watched), typed);
      }
      case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (control_->OnMouseDown) {
          const QPoint p = mouse->position().toPoint();
          const TShiftState shift = ShiftFromQt(mouse->modifiers()) | ButtonsFromQt(mouse->buttons());
          const TMouseButton button = ButtonFromQt(mouse->button());
          DispatchEvent([&] { control_->OnMouseDown(control_, button, shift, p.x(), p.y()); });
        }
        return false;
      }
      case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (control_->OnMouseUp) {
          const QPoint p = mouse->position().toPoint();
          const TShiftState shift = ShiftFromQt(mouse->modifiers()) | ButtonsFromQt(mouse->buttons());
          const TMouseButton button = ButtonFromQt(mouse->button());
          DispatchEvent([&] { control_->OnMouseUp(control_, button, shift, p.x(), p.y()); });
        }
        return false;
      }
      case QEvent::MouseButtonDblClick:
        if (control_->OnDblClick) {
          DispatchEvent([&] { control_->OnDblClick(control_); });
        }
        return false;
      case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        return control_->ContextMenu(menu->pos().x(), menu->pos().y());
      }
      case QEvent::Resize:
        if (watched == control_->Widget()) {
          control_->Resized();
          if (control_->OnResize) DispatchEvent([&] { control_->OnResize(control_); });
        }
        return false;
      case QEvent::Enter:
        if (TControl::HintHandler && !control_->Hint().empty()) TControl::HintHandler(control_->Hint());
        if (watched == control_->Widget()) Send(CM_MOUSEENTER);
        return false;
      case QEvent::Leave:
        if (TControl::HintHandler && !control_->Hint().empty()) TControl::HintHandler("");
        if (watched == control_->Widget()) Send(CM_MOUSELEAVE);
        return false;
      default: return false;
    }
  }

 private:
  // The characters a key types, as Windows makes them: Ctrl with a letter
  // types its control character (Ctrl+V is 22) whatever the keyboard layout
  // reports, Delete types none, and Tab moves the focus instead of typing.
  static std::string TypedCharacters(const QKeyEvent& key, unsigned short vk, TShiftState shift) {
    if (vk == VK_DELETE || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return {};
    if ((shift & (ssCtrl | ssAlt)) == ssCtrl && vk >= 'A' && vk <= 'Z')
      return std::string(1, static_cast<char>(vk - 'A' + 1));
    return key.text().toStdString();
  }

  // Runs OnKeyPress once for every byte of the typed text, as Windows sends
  // a double-byte character as two characters. Once a handler changes a
  // byte, the widget gets the handlers' bytes instead of the key, each typed
  // before the next byte's handler runs, so every handler sees the field as
  // the earlier bytes left it. Returns whether the key was replaced.
  bool PressEachByte(QWidget* widget, const std::string& typed) {
    QPointer<QWidget> target(widget);
    std::string held;
    bool replaced = false;
    for (const char c : typed) {
      const char result = control_->RunKeyPress(c);
      if (!replaced && result == c) {
        held += c;
        continue;
      }
      replaced = true;
      if (result != 0) held += result;
      Type(target, held);
      held.clear();
    }
    if (replaced) Type(target, held);
    return replaced;
  }

  static void Type(QWidget* widget, const std::string& text) {
    if (widget == nullptr || text.empty()) return;
    QKeyEvent typedEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromStdString(text));
    typing_ = true;
    QCoreApplication::sendEvent(widget, &typedEvent);
    typing_ = false;
  }

  static inline bool typing_ = false;
  void Send(std::uint32_t id) {
    TMessage message;
    message.Msg = id;
    DispatchEvent([&] { control_->Dispatch(&message); });
  }

  TControl* control_;
};

struct TControl::Impl {
  QPointer<QWidget> widget;
  std::unique_ptr<ControlInput> input;
};

TControl::TControl(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {
  impl_->input = std::make_unique<ControlInput>(this);
  font_.OnChange = [this] {
    fontSet_ = true;
    ApplyFont();
  };
}

TControl::~TControl() {
  font_.OnChange = nullptr;
  TWinControl* parent = parent_;
  if (parent != nullptr) {
    auto& siblings = parent->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
  }
  delete impl_->widget.data();
  if (parent != nullptr) parent->ChildrenChanged();
}

QWidget* TControl::Widget() const { return impl_->widget.data(); }

void TControl::SetWidget(QWidget* widget) {
  impl_->widget = widget;
  WatchInput(widget);
}

void TControl::WatchInput(QWidget* widget) { widget->installEventFilter(impl_->input.get()); }

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  TWinControl* old = parent_;
  if (parent_ != nullptr) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  QWidget* w = Widget();
  if (parent_ != nullptr) {
    parent_->controls_.push_back(this);
    if (w != nullptr) {
      const QRect geometry = w->geometry();
      w->setParent(parent_->ClientWidget());
      w->setGeometry(geometry);
      w->setVisible(visible_);
    }
  } else if (w != nullptr) {
    w->hide();
    w->setParent(nullptr);
  }
  if (old != nullptr) old->ChildrenChanged();
  if (parent_ != nullptr) parent_->ChildrenChanged();
}

int TControl::Left() const { return Widget() ? Widget()->x() : 0; }
int TControl::Top() const { return Widget() ? Widget()->y() : 0; }
int TControl::Width() const { return Widget() ? Widget()->width() : 0; }
int TControl::Height() const { return Widget() ? Widget()->height() : 0; }
int TControl::ClientWidth() const { return Width(); }
int TControl::ClientHeight() const { return Height(); }

void TControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (QWidget* w = Widget()) w->setGeometry(left, top, std::max(0, width), std::max(0, height));
  if (parent_ != nullptr) parent_->ChildrenChanged();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  QWidget* w = Widget();
  // A control without a parent is not a window of its own: it shows once placed.
  if (w != nullptr && (parent_ != nullptr || w->isWindow() == false || !visible)) w->setVisible(visible);
  if (parent_ != nullptr) parent_->ChildrenChanged();
}

bool TControl::Enabled() const { return Widget() ? Widget()->isEnabled() : true; }
void TControl::SetEnabled(bool enabled) {
  if (QWidget* w = Widget()) w->setEnabled(enabled);
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (QWidget* w = Widget()) w->setToolTip(showHint_ ? QString::fromStdString(hint) : QString());
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  SetHint(hint_);
}

void TControl::SetColor(TColor color) {
  color_ = color;
  QWidget* w = Widget();
  if (w == nullptr) return;
  const std::uint32_t rgb = ColorToRGB(color);
  const QColor c(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                 static_cast<int>((rgb >> 16) & 0xFF));
  // A text field's colour is its text area's (the palette's base); every
  // other control's is its face. Setting the base on a window or a panel
  // would hand it down to every edit and check box on it, which keep the
  // edit colour whatever colour the window takes.
  QPalette palette = w->palette();
  palette.setColor(HasTextArea() ? QPalette::Base : QPalette::Window, c);
  w->setPalette(palette);
  w->setAutoFillBackground(true);
}

bool TControl::HasTextArea() const {
  // Edits, combo boxes and the scrolled views draw on the palette's base.
  const QWidget* w = Widget();
  return qobject_cast<const QLineEdit*>(w) != nullptr || qobject_cast<const QAbstractScrollArea*>(w) != nullptr ||
         qobject_cast<const QComboBox*>(w) != nullptr || qobject_cast<const QAbstractSpinBox*>(w) != nullptr;
}

void TControl::ApplyFont() {
  QWidget* w = Widget();
  if (w == nullptr || !fontSet_) return;
  QFont f(QString::fromStdString(font_.Name()));
  if (font_.Height() > 0) {
    f.setPixelSize(font_.Height());
  } else if (font_.Size() > 0) {
    f.setPointSize(font_.Size());
  }
  f.setBold((font_.Style() & fsBold) != 0);
  f.setItalic((font_.Style() & fsItalic) != 0);
  f.setUnderline((font_.Style() & fsUnderline) != 0);
  f.setStrikeOut((font_.Style() & fsStrikeOut) != 0);
  if (font_.Pitch() == fpFixed) f.setFixedPitch(true);
  // A face this machine lacks falls back through the desktop's font
  // matching, which may hand out a symbol font (fontconfig takes "Impact"
  // for a "fantasy" face, and the one it finds may be dingbats): the text is
  // then drawn in the application's default face instead.
  if (!QFontDatabase::hasFamily(f.family()) &&
      QFontDatabase::writingSystems(QFontInfo(f).family()).contains(QFontDatabase::Symbol)) {
    f.setFamily(QApplication::font().family());
  }
  w->setFont(f);
  const std::uint32_t rgb = ColorToRGB(font_.Color());
  const QColor c(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                 static_cast<int>((rgb >> 16) & 0xFF));
  // Only the enabled states take the font's colour: a disabled control
  // keeps the greyed text that shows it cannot be used.
  QPalette palette = w->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, c);
    palette.setColor(group, QPalette::Text, c);
    palette.setColor(group, QPalette::ButtonText, c);
  }
  w->setPalette(palette);
}

void TControl::Invalidate() {
  if (QWidget* w = Widget()) w->update();
}

void TControl::Repaint() {
  if (QWidget* w = Widget()) w->repaint();
}

void TControl::SetFocus() {
  if (QWidget* w = Widget()) w->setFocus();
}

bool TControl::Focused() const { return Widget() ? Widget()->hasFocus() : false; }

bool TControl::SimulateKeyDown(unsigned short key, TShiftState shift, char character) {
  if (RunKeyDown(key, shift)) return true;
  return character != 0 && OnKeyPress && RunKeyPress(character) == 0;
}

bool TControl::RunKeyDown(unsigned short& key, TShiftState shift) {
  // A key without a virtual-key code (punctuation, an accented letter) has
  // nothing to tell the key-down handlers, and its 0 must not read as
  // consumed: it would never be typed.
  if (key == 0) return false;
  if (KeyPreviewHandler && KeyPreviewHandler(this, key, shift)) return true;
  if (OnKeyDown) {
    DispatchEvent([&] { OnKeyDown(this, key, shift); });
    if (key == 0) return true;
  }
  return false;
}

char TControl::RunKeyPress(char character) {
  if (OnKeyPress) DispatchEvent([&] { OnKeyPress(this, character); });
  return character;
}
void TControl::Dispatch(void*) {}

bool TControl::ContextMenu(int x, int y) {
  if (popupMenu_ == nullptr || !PopupHandler || Widget() == nullptr) return false;
  const QPoint global = Widget()->mapToGlobal(QPoint(x, y));
  PopupHandler(popupMenu_, global.x(), global.y());
  return true;
}

TWinControl::~TWinControl() {
  // The children's widgets leave this widget before it goes: Qt would free
  // them with it, under the controls that still own them (a form frees its
  // controls only after its own window).
  for (TControl* child : controls_) {
    child->parent_ = nullptr;
    if (QWidget* w = child->Widget()) {
      w->hide();
      w->setParent(nullptr);
    }
  }
}
