#include "framework/graphics/QtConvert.h"

#include <QRect>

QColor QtColor(TColor color) {
  const std::uint32_t rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QFont QtFont(const TFont& font) {
  QFont f(QtText(font.Name()));
  if (font.Height() > 0) {
    f.setPixelSize(font.Height());
  } else if (font.Size() > 0) {
    f.setPointSize(font.Size());
  }
  f.setBold((font.Style() & fsBold) != 0);
  f.setItalic((font.Style() & fsItalic) != 0);
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  if (font.Pitch() == fpFixed) f.setFixedPitch(true);
  return f;
}

QRect QtRect(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }

TRect RectFromQt(const QRect& rect) {
  return TRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
