#include "framework/graphics/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "framework/graphics/Graphic.h"
#include "framework/graphics/QtConvert.h"

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::BeginPaint(QPainter* painter) { painter_ = painter; }
void TCanvas::EndPaint() { painter_ = nullptr; }
void TCanvas::AttachImage(QImage* image) { image_ = image; }

template <typename F>
void TCanvas::Paint(F&& draw) {
  if (painter_ != nullptr) {
    // The control's painter goes on drawing after the handler: leave it as found.
    painter_->save();
    draw(*painter_);
    painter_->restore();
  } else if (image_ != nullptr && !image_->isNull()) {
    QPainter painter(image_);
    draw(painter);
  }
}

void TCanvas::FillRect(const TRect& rect) {
  Paint([&](QPainter& p) { p.fillRect(QtRect(rect), QtColor(brush_.Color)); });
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Paint([&](QPainter& p) {
    const QFont font = QtFont(font_);
    const QFontMetrics metrics(font);
    const QString s = QtText(text);
    p.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), QtColor(brush_.Color));
    p.setFont(font);
    p.setPen(QtColor(font_.Color()));
    p.drawText(QPoint(x, y + metrics.ascent()), s);
  });
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  Paint([&](QPainter& p) {
    const QRect r = QtRect(rect);
    p.fillRect(r, QtColor(brush_.Color));
    p.setClipRect(r, Qt::IntersectClip);
    const QFont font = QtFont(font_);
    p.setFont(font);
    p.setPen(QtColor(font_.Color()));
    p.drawText(QPoint(x, y + QFontMetrics(font).ascent()), QtText(text));
  });
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  const QImage image = graphic->Image();
  Paint([&](QPainter& p) { p.drawImage(QPoint(x, y), image); });
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  const QImage image = graphic->Image();
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QtRect(rect), image);
  });
}
