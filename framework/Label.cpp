#include "Label.h"

#include <QEvent>
#include <QLabel>

namespace {
// Sizes the label again when its font changes, as a caption change does.
class FontWatch : public QObject {
 public:
  FontWatch(QObject* parent, std::function<void()> changed) : QObject(parent), changed_(std::move(changed)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FontChange) changed_();
    return false;
  }

 private:
  std::function<void()> changed_;
};
}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  auto* label = new QLabel();
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetWidget(label);
  label->installEventFilter(new FontWatch(label, [this] { Fit(); }));
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
