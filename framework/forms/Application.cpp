#include "framework/forms/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/forms/Control.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/Form.h"

TApplication* Application = new TApplication();

struct TApplication::Impl {
  std::unique_ptr<QApplication> ownApp;
  QEventLoop* loop = nullptr;
  bool initialized = false;
};

TApplication::TApplication() : TComponent(nullptr), impl_(std::make_unique<Impl>()) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (impl_->initialized) return;
  impl_->initialized = true;
  if (QApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "Pellix4.exe";
    static char* argv[] = {name, nullptr};
    impl_->ownApp = std::make_unique<QApplication>(argc, argv);
  }
  // Windows stay open until the program closes them; the message loop ends
  // with the main form, not with the last visible window.
  QApplication::setQuitOnLastWindowClosed(false);
  SetExceptionHandler([this](const Exception& e) { ShowException(e); });
  TControl::HintHandler = [this](const std::string& hint) { SetHint(hint); };
}

void TApplication::FormCreated(TForm* form) {
  if (mainForm_ == nullptr) mainForm_ = form;
}

void TApplication::FormDestroyed(TForm* form) {
  if (mainForm_ == form) {
    mainForm_ = nullptr;
    MainFormClosed();
  }
}

// Closing the main form ends the message loop; outside the loop (while the
// forms are built) there is nothing to end, and nothing is remembered that
// would end later modal loops at once.
void TApplication::MainFormClosed() {
  if (impl_->loop != nullptr) Terminate();
}

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->Show();
  QEventLoop loop;
  impl_->loop = &loop;
  while (!terminated_ && mainForm_ != nullptr) loop.exec();
  impl_->loop = nullptr;
  // The loop has ended; later loops (a test's next run) start afresh.
  terminated_ = false;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (impl_->loop != nullptr) impl_->loop->quit();
  TForm::EndModalLoops();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

std::string TApplication::Title() const {
  if (titleSet_) return title_;
  if (QCoreApplication::instance() == nullptr) return std::string();
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  titleSet_ = true;
}

void TApplication::SetHint(const std::string& hint) {
  const std::size_t bar = hint.find('|');
  const std::string text = bar == std::string::npos ? hint : hint.substr(bar + 1);
  if (text == hint_) return;
  hint_ = text;
  if (OnHint) DispatchEvent([this] { OnHint(this); });
}

void TApplication::ShowException(const Exception& error) { MessageBox(error.Message(), Title(), MB_OK | MB_ICONSTOP); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return ShowMessageBox(text, caption, flags);
}
