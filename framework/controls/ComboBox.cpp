#include "framework/controls/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/graphics/QtConvert.h"

namespace {

QComboBox* Box(QWidget* widget) { return static_cast<QComboBox*>(widget); }

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  auto* box = new QComboBox();
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  SetWidget(box);
  SetBounds(0, 0, 145, 23);
  QObject::connect(box, &QComboBox::editTextChanged, box, [this] {
    if (OnChange) DispatchEvent([this] { OnChange(this); });
  });
}

void TComboBox::AddItem(const std::string& text) { Box(Widget())->addItem(QtText(text)); }

int TComboBox::ItemCount() const { return Box(Widget())->count(); }

std::string TComboBox::Item(int index) const {
  if (index < 0 || index >= ItemCount()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return TextFromQt(Box(Widget())->itemText(index));
}

std::string TComboBox::Text() const { return TextFromQt(Box(Widget())->currentText()); }

void TComboBox::SetText(const std::string& text) {
  QComboBox* box = Box(Widget());
  const int index = box->findText(QtText(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  box->setCurrentIndex(index);
  box->setEditText(QtText(text));
}
