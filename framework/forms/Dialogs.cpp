#include "framework/forms/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "framework/forms/Application.h"

namespace {

int ShowQtMessageBox(const TMessageBoxRequest& request) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(request.Caption));
  box.setText(QString::fromStdString(request.Text));
  box.setTextFormat(Qt::PlainText);
  switch (request.Flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Choice {
    QMessageBox::StandardButton button;
    int id;
  };
  std::vector<Choice> choices;
  switch (request.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
  }
  for (const Choice& c : choices) box.addButton(c.button);
  // A default past the last button falls back to the first, as the
  // system's own boxes do.
  const std::size_t chosen = (request.Flags & MB_DEFMASK) >> 8;
  box.setDefaultButton(choices[chosen < choices.size() ? chosen : 0].button);
  const int result = box.exec();
  for (const Choice& c : choices) {
    if (result == c.button) return c.id;
  }
  // Closed without a button: the box's cancel answer, as Escape gives it.
  return (request.Flags & MB_TYPEMASK) == MB_YESNO ? IDNO : (choices.size() > 1 ? IDCANCEL : IDOK);
}

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler = ShowQtMessageBox;
  return handler;
}

}  // namespace

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  if (!handler) handler = ShowQtMessageBox;
  return std::exchange(Handler(), std::move(handler));
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return Handler()(TMessageBoxRequest{text, caption, flags});
}

void ShowMessage(const std::string& text) { ShowMessageBox(text, Application->Title(), MB_OK); }
