#include "framework/controls/UpDown.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "framework/controls/Edit.h"
#include "framework/core/Dispatch.h"
#include "framework/core/SysUtils.h"

namespace {

constexpr int kWidth = 16;

// A whole decimal number, blanks around it allowed; nothing for other text.
std::optional<int> WholeNumber(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 6) return std::nullopt;
  std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return std::nullopt;
  for (std::size_t k = i; k < t.size(); ++k)
    if (t[k] < '0' || t[k] > '9') return std::nullopt;
  return std::stoi(t);
}

}  // namespace

// The Up and Down keys in the bound edit step the number as the arrows do.
class UpDownKeys : public QObject {
 public:
  UpDownKeys(TUpDown* upDown, QObject* parent) : QObject(parent), upDown_(upDown) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    if (!upDown_->Enabled()) return false;
    DispatchEvent([&] { upDown_->Click(key == Qt::Key_Up ? btNext : btPrev); });
    return true;
  }

 private:
  TUpDown* upDown_;
};

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  auto* widget = new QWidget();
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const TUDBtnType button : {btNext, btPrev}) {
    auto* arrow = new QToolButton(widget);
    arrow->setArrowType(button == btNext ? Qt::UpArrow : Qt::DownArrow);
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(arrow);
    QObject::connect(arrow, &QToolButton::clicked, arrow, [this, button] { DispatchEvent([&] { Click(button); }); });
  }
  SetWidget(widget);
  SetBounds(0, 0, kWidth, 24);
}

void TUpDown::SetAssociate(TEdit* edit) {
  delete keys_;
  keys_ = nullptr;
  associate_ = edit;
  if (edit == nullptr) return;
  // Owned by the up-down's widget, so it goes with the up-down.
  keys_ = new UpDownKeys(this, Widget());
  edit->Widget()->installEventFilter(keys_);
  if (edit->Parent() != nullptr && Parent() != edit->Parent()) SetParent(edit->Parent());
  SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
  ShowPosition();
}

void TUpDown::SetMin(short value) {
  min_ = value;
  SetPosition(position_);
}

void TUpDown::SetMax(short value) {
  max_ = value;
  SetPosition(position_);
}

short TUpDown::Position() const {
  if (associate_ != nullptr) {
    // What the user typed counts once it is a number the range allows.
    const std::optional<int> typed = WholeNumber(associate_->Text());
    if (typed && *typed >= min_ && *typed <= max_) position_ = static_cast<short>(*typed);
  }
  return position_;
}

void TUpDown::SetPosition(short value) {
  position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  ShowPosition();
}

void TUpDown::Click(TUDBtnType button) {
  const int step = button == btNext ? increment_ : -increment_;
  int next = Position() + step;
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  SetPosition(static_cast<short>(next));
}

void TUpDown::ShowPosition() {
  if (associate_ != nullptr && associate_->Text() != IntToStr(position_)) associate_->SetText(IntToStr(position_));
}
