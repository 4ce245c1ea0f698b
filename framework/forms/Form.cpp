#include "framework/forms/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/core/KeyMap.h"
#include "framework/core/VirtualKeys.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"

namespace {

struct LiveForm {
  TForm* form;
  unsigned long long id;
};
std::vector<LiveForm> g_forms;
unsigned long long g_nextId = 1;
TForm* g_active = nullptr;
std::vector<QEventLoop*> g_modalLoops;

// Remembers the widget each key press was first delivered to. Qt hands a
// key that a widget ignores on to its parents; the form uses this to run
// its own key event only for keys that were meant for it, as a window gets
// only its own keys.
class KeyTracker : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(receiver);
      if (event != event_ || receiver_ == nullptr || !widget->isAncestorOf(receiver_)) {
        event_ = event;
        receiver_ = widget;
      }
    } else if (event->type() == QEvent::KeyRelease) {
      event_ = nullptr;
      receiver_ = nullptr;
    }
    return false;
  }
  QWidget* FirstReceiver(const QEvent* event) const { return event == event_ ? receiver_.data() : nullptr; }
  /// The first receiver of the key press being delivered (or last delivered).
  QWidget* FirstReceiver() const { return receiver_.data(); }

 private:
  const QEvent* event_ = nullptr;
  QPointer<QWidget> receiver_;
};

QPointer<KeyTracker> g_tracker;

void EnsureKeyTracking() {
  if (g_tracker != nullptr || QCoreApplication::instance() == nullptr) return;
  g_tracker = new KeyTracker(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(g_tracker);
}

bool PreviewKey(TControl* target, unsigned short& key, TShiftState shift) {
  TForm* form = GetParentForm(target);
  if (form == nullptr || form == target || !form->KeyPreview() || !form->OnKeyDown) return false;
  // A key passed on to a parent control was previewed on its way in already.
  QWidget* first = g_tracker != nullptr ? g_tracker->FirstReceiver() : nullptr;
  QWidget* mine = target->Widget();
  if (first != nullptr && mine != nullptr && first != mine && mine->isAncestorOf(first)) return false;
  DispatchEvent([&] { form->OnKeyDown(form, key, shift); });
  return key == 0;
}

TButton* FindButton(TWinControl* parent, bool wantDefault) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (auto* button = dynamic_cast<TButton*>(control)) {
      if ((wantDefault ? button->Default() : button->Cancel()) && button->Visible() && button->Enabled()) {
        return button;
      }
    }
    if (auto* inner = dynamic_cast<TWinControl*>(control)) {
      if (TButton* found = FindButton(inner, wantDefault)) return found;
    }
  }
  return nullptr;
}

// Frees a form once the handler that closed it has returned, unless
// something freed it first.
void ReleaseLater(unsigned long long id) {
  QTimer::singleShot(0, QCoreApplication::instance(), [id] {
    for (const LiveForm& f : g_forms) {
      if (f.id == id) {
        delete f.form;
        return;
      }
    }
  });
}

}  // namespace

// The form's window events: the close box, activation, and keys its
// controls passed on.
class FormEvents : public QObject {
 public:
  explicit FormEvents(TForm* form) : form_(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Close:
        event->ignore();
        form_->CloseRequested();
        return true;
      case QEvent::WindowActivate:
        if (g_active != form_ && form_->Visible()) form_->Activate();
        return false;
      case QEvent::KeyPress: {
        QWidget* first = g_tracker != nullptr ? g_tracker->FirstReceiver(event) : nullptr;
        if (first == nullptr || first == watched) return false;
        // A key a control did not use: Enter and Escape press the default
        // and cancel buttons; nothing else reaches the form's own event.
        const auto* key = static_cast<QKeyEvent*>(event);
        form_->DialogKey(VirtualKeyFromQt(key->key()));
        return true;
      }
      default: return false;
    }
  }

 private:
  TForm* form_;
};

struct TForm::Impl {
  std::unique_ptr<FormEvents> events;
  QEventLoop* loop = nullptr;
  unsigned long long id = 0;
};

TForm* GetParentForm(TControl* control) {
  while (control != nullptr && control->Parent() != nullptr) control = control->Parent();
  return dynamic_cast<TForm*>(control);
}

TForm::TForm(TComponent* owner) : TWinControl(owner), impl_(std::make_unique<Impl>()) {
  EnsureKeyTracking();
  if (!KeyPreviewHandler) KeyPreviewHandler = PreviewKey;
  auto* window = new QWidget(nullptr, Qt::Window);
  SetWidget(window);
  impl_->events = std::make_unique<FormEvents>(this);
  window->installEventFilter(impl_->events.get());
  TWinControl::SetVisible(false);
  impl_->id = g_nextId++;
  g_forms.push_back({this, impl_->id});
}

TForm::~TForm() {
  // The components the form owns go first, while the window still holds
  // their widgets: a view keeps pointers to widgets of its own, which the
  // window's own end would free under it.
  while (!Components().empty()) delete Components().back();
  g_forms.erase(std::remove_if(g_forms.begin(), g_forms.end(), [this](const LiveForm& f) { return f.form == this; }),
                g_forms.end());
  if (g_active == this) g_active = nullptr;
  if (impl_->loop != nullptr) impl_->loop->quit();
  Application->FormDestroyed(this);
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  Widget()->setWindowTitle(QString::fromStdString(caption));
}

int TForm::Left() const { return Widget()->x(); }
int TForm::Top() const { return Widget()->y(); }
int TForm::Width() const { return Widget()->width() + kFrameWidth; }
int TForm::Height() const { return Widget()->height() + kFrameHeight; }
int TForm::ClientWidth() const { return Widget()->width(); }
int TForm::ClientHeight() const { return Widget()->height(); }

void TForm::SetLeft(int left) { Widget()->move(left, Top()); }
void TForm::SetTop(int top) { Widget()->move(Left(), top); }
void TForm::SetWidth(int width) { ResizeClient(width - kFrameWidth, ClientHeight()); }
void TForm::SetHeight(int height) { ResizeClient(ClientWidth(), height - kFrameHeight); }
void TForm::SetClientWidth(int width) { ResizeClient(width, ClientHeight()); }
void TForm::SetClientHeight(int height) { ResizeClient(ClientWidth(), height); }

void TForm::SetBounds(int left, int top, int width, int height) {
  Widget()->move(left, top);
  ResizeClient(width - kFrameWidth, height - kFrameHeight);
}

void TForm::ResizeClient(int width, int height) {
  QWidget* w = Widget();
  const QSize old = w->size();
  if (borderStyle_ == bsDialog) {
    w->setFixedSize(std::max(0, width), std::max(0, height));
  } else {
    w->resize(std::max(0, width), std::max(0, height));
  }
  // Qt holds back the resize event of a hidden window until it is shown;
  // the form's OnResize runs at once, so a layout is ready before the
  // window is first seen.
  if (!w->isVisible() && w->size() != old) {
    QResizeEvent event(w->size(), old);
    QCoreApplication::sendEvent(w, &event);
    w->setAttribute(Qt::WA_PendingResizeEvent, false);
  }
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  ApplyFrame();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  ApplyFrame();
}

void TForm::ApplyFrame() {
  QWidget* w = Widget();
  const QSize size = w->size();
  const bool dialog = borderStyle_ == bsDialog;
  // A dialog frame has no minimise or maximise button, whatever the icons.
  Qt::WindowFlags flags = (dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (borderIcons_ & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (!dialog && (borderIcons_ & biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
  if (!dialog && (borderIcons_ & biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
  // New window flags hide the window; a shown form is shown again.
  const bool shown = w->isVisible();
  w->setWindowFlags(flags);
  if (dialog) {
    w->setFixedSize(size);
  } else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  if (shown) w->show();
}

TWindowState TForm::WindowState() const {
  const Qt::WindowStates state = Widget()->windowState();
  if (state & Qt::WindowMinimized) return wsMinimized;
  if (state & Qt::WindowMaximized) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  Qt::WindowStates flags = Widget()->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == wsMinimized) flags |= Qt::WindowMinimized;
  if (state == wsMaximized) flags |= Qt::WindowMaximized;
  Widget()->setWindowState(flags);
}

void TForm::PlaceByPosition() {
  if (position_ == poDesigned) return;
  TForm* main = Application->MainForm();
  QRect area;
  if (position_ == poMainFormCenter && main != nullptr && main != this) {
    area = QRect(main->Left(), main->Top(), main->Width(), main->Height());
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  Widget()->move(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2);
}

void TForm::ShowWindow() {
  QWidget* w = Widget();
  if (!Visible() || !w->isVisible()) {
    PlaceByPosition();
    TWinControl::SetVisible(true);
    w->show();
    if (OnShow) DispatchEvent([this] { OnShow(this); });
  }
  w->raise();
}

void TForm::Activate() {
  g_active = this;
  Widget()->activateWindow();
  if (OnActivate) DispatchEvent([this] { OnActivate(this); });
}

bool TForm::Active() const { return g_active == this; }

void TForm::Show() {
  ShowWindow();
  Activate();
}

void TForm::Hide() { SetVisible(false); }

void TForm::SetVisible(bool visible) {
  if (visible) {
    const bool wasVisible = Visible();
    ShowWindow();
    if (!wasVisible) Activate();
    return;
  }
  TWinControl::SetVisible(false);
  if (g_active == this) g_active = nullptr;
  // A modal form that is hidden ends its loop, which would otherwise wait for ever.
  if (modal_ && modalResult_ == mrNone) SetModalResult(mrCancel);
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  QWidget* w = Widget();
  w->setWindowModality(Qt::ApplicationModal);
  modal_ = true;
  modalResult_ = mrNone;
  QEventLoop loop;
  impl_->loop = &loop;
  g_modalLoops.push_back(&loop);
  const unsigned long long id = impl_->id;
  Show();
  bool freeIt = false;
  for (;;) {
    while (modalResult_ == mrNone && !Application->Terminated()) loop.exec();
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    TCloseAction action = caHide;
    if (OnClose) DispatchEvent([&] { OnClose(this, action); });
    if (action == caNone && !Application->Terminated()) {
      modalResult_ = mrNone;
      continue;
    }
    freeIt = action == caFree;
    break;
  }
  g_modalLoops.erase(std::remove(g_modalLoops.begin(), g_modalLoops.end(), &loop), g_modalLoops.end());
  impl_->loop = nullptr;
  modal_ = false;
  TWinControl::SetVisible(false);
  if (g_active == this) g_active = nullptr;
  w->setWindowModality(Qt::NonModal);
  const TModalResult result = modalResult_;
  if (freeIt) {
    ReleaseLater(id);
  }
  return result;
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (modal_ && result != mrNone && impl_->loop != nullptr) impl_->loop->quit();
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  TCloseAction action = caHide;
  // An error out of the close handler is shown, and the window still closes.
  if (OnClose) DispatchEvent([&] { OnClose(this, action); });
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Hide();
    Application->MainFormClosed();
    return;
  }
  switch (action) {
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: {
      Hide();
      const unsigned long long id = impl_->id;
      ReleaseLater(id);
      break;
    }
    default: Hide(); break;
  }
}

void TForm::CloseRequested() {
  DispatchEvent([this] { Close(); });
}

bool TForm::DialogKey(unsigned short key) {
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  TButton* button = FindButton(this, key == VK_RETURN);
  if (button == nullptr) return false;
  button->Click();
  return true;
}

void TForm::EndModalLoops() {
  for (QEventLoop* loop : g_modalLoops) loop->quit();
}
