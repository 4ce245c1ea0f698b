#include "framework/controls/GroupBox.h"

#include <QGroupBox>

#include "framework/graphics/QtConvert.h"

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetWidget(new QGroupBox());
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QGroupBox*>(Widget())->setTitle(QtText(caption));
}
