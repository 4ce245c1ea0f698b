#include "framework/controls/Label.h"

#include <QEvent>
#include <QLabel>

namespace {
// Sizes the label again when its font changes, as a caption change does.
// This runs after QLabel's own handling, which drops the size it measured
// for the old font.
class LabelWidget : public QLabel {
 public:
  std::function<void()> fontChanged;

 protected:
  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && fontChanged) fontChanged();
  }
};
}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  auto* label = new LabelWidget();
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetWidget(label);
  label->fontChanged = [this] { Fit(); };
  Fit();
}

void TLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QLabel*>(Widget())->setText(QString::fromStdString(caption));
  Fit();
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Widget()->setAutoFillBackground(!transparent);
  Widget()->setAttribute(Qt::WA_TranslucentBackground, transparent);
}

void TLabel::Fit() {
  if (!autoSize_) return;
  auto* label = static_cast<QLabel*>(Widget());
  const QSize hint = label->sizeHint();
  label->resize(hint.width(), hint.height());
}
