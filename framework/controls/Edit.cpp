#include "framework/controls/Edit.h"

#include <QLineEdit>

#include "framework/core/Dispatch.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  auto* edit = new QLineEdit();
  SetWidget(edit);
  SetBounds(0, 0, 121, 21);
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this] {
    if (OnChange) DispatchEvent([this] { OnChange(this); });
  });
}

std::string TEdit::Text() const { return static_cast<QLineEdit*>(Widget())->text().toStdString(); }

void TEdit::SetText(const std::string& text) {
  static_cast<QLineEdit*>(Widget())->setText(QString::fromStdString(text));
}

bool TEdit::ReadOnly() const { return static_cast<QLineEdit*>(Widget())->isReadOnly(); }

void TEdit::SetReadOnly(bool readOnly) { static_cast<QLineEdit*>(Widget())->setReadOnly(readOnly); }

int TEdit::SelStart() const {
  const auto* edit = static_cast<QLineEdit*>(Widget());
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int TEdit::SelLength() const { return static_cast<QLineEdit*>(Widget())->selectionLength(); }

void TEdit::SetSelStart(int start) { static_cast<QLineEdit*>(Widget())->setCursorPosition(start); }

void TEdit::SetSelLength(int length) {
  auto* edit = static_cast<QLineEdit*>(Widget());
  edit->setSelection(SelStart(), length);
}

void TEdit::SetSelText(const std::string& text) {
  static_cast<QLineEdit*>(Widget())->insert(QString::fromStdString(text));
}
