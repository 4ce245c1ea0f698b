#include "framework/controls/CheckBox.h"

#include <QCheckBox>

#include "framework/core/Dispatch.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  auto* box = new QCheckBox();
  SetWidget(box);
  SetBounds(0, 0, 97, 17);
  QObject::connect(box, &QCheckBox::toggled, box, [this] {
    if (OnClick) DispatchEvent([this] { OnClick(this); });
  });
}

void TCheckBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QCheckBox*>(Widget())->setText(QString::fromStdString(caption));
}

bool TCheckBox::Checked() const { return static_cast<QCheckBox*>(Widget())->isChecked(); }

void TCheckBox::SetChecked(bool checked) { static_cast<QCheckBox*>(Widget())->setChecked(checked); }
