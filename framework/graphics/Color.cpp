#include "framework/graphics/Color.h"

#include <QApplication>
#include <QPalette>

namespace {
std::uint32_t FromQColor(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
         (static_cast<std::uint32_t>(c.blue()) << 16);
}
}  // namespace

std::uint32_t ColorToRGB(TColor color) {
  if (color >= 0) return static_cast<std::uint32_t>(color) & 0xFFFFFF;
  const QPalette palette = QApplication::palette();
  switch (static_cast<std::uint32_t>(color) & 0xFF) {
    case 0: return FromQColor(palette.color(QPalette::Button));
    case 1: return FromQColor(palette.color(QPalette::Window).darker(150));
    case 2: return FromQColor(palette.color(QPalette::Highlight));
    case 3: return FromQColor(palette.color(QPalette::Mid));
    case 4: return FromQColor(palette.color(QPalette::Window));
    case 5: return FromQColor(palette.color(QPalette::Base));
    case 6: return FromQColor(palette.color(QPalette::Shadow));
    case 7: return FromQColor(palette.color(QPalette::WindowText));
    case 8: return FromQColor(palette.color(QPalette::Text));
    case 9: return FromQColor(palette.color(QPalette::HighlightedText));
    case 13: return FromQColor(palette.color(QPalette::Highlight));
    case 14: return FromQColor(palette.color(QPalette::HighlightedText));
    case 15: return FromQColor(palette.color(QPalette::Button));
    case 16: return FromQColor(palette.color(QPalette::Dark));
    case 17: return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case 18: return FromQColor(palette.color(QPalette::ButtonText));
    case 20: return FromQColor(palette.color(QPalette::Light));
    case 23: return FromQColor(palette.color(QPalette::ToolTipText));
    case 24: return FromQColor(palette.color(QPalette::ToolTipBase));
    default: return 0;
  }
}
