#include "framework/controls/SpeedButton.h"

#include <QBitmap>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include "framework/core/Dispatch.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/QtConvert.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner), glyph_(std::make_unique<TBitmap>()) {
  auto* button = new QToolButton();
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  QObject::connect(button, &QToolButton::clicked, button, [this] { Click(); });
  SetWidget(button);
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  UpdateLook();
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  glyph_->Assign(&glyph);
  UpdateLook();
}

void TSpeedButton::Click() {
  if (!Enabled()) return;
  if (OnClick) DispatchEvent([this] { OnClick(this); });
}

void TSpeedButton::UpdateLook() {
  auto* button = static_cast<QToolButton*>(Widget());
  button->setText(QtText(caption_));
  const QImage image = glyph_->Image();
  if (image.isNull()) {
    button->setIcon(QIcon());
  } else {
    QPixmap pixmap = QPixmap::fromImage(image);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent, Qt::MaskInColor)));
    button->setIcon(QIcon(pixmap));
    button->setIconSize(image.size());
  }
  button->setToolButtonStyle(caption_.empty() ? Qt::ToolButtonIconOnly
                             : image.isNull() ? Qt::ToolButtonTextOnly
                                              : Qt::ToolButtonTextBesideIcon);
}
