#include "framework/forms/Button.h"

#include <QPushButton>

#include "framework/core/Dispatch.h"
#include "framework/forms/Form.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  auto* button = new QPushButton();
  button->setAutoDefault(false);
  SetWidget(button);
  SetBounds(0, 0, 75, 25);
  QObject::connect(button, &QPushButton::clicked, button, [this] { Click(); });
}

void TButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QPushButton*>(Widget())->setText(QString::fromStdString(caption));
}

void TButton::SetDefault(bool value) {
  default_ = value;
  static_cast<QPushButton*>(Widget())->setDefault(value);
}

void TButton::Click() {
  if (!Enabled()) return;
  if (modalResult_ != 0) {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  }
  if (OnClick) DispatchEvent([this] { OnClick(this); });
}
