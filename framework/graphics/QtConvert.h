#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "framework/core/Rect.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

class QRect;

// Internal to the framework: framework values as the Qt values that draw them.
QColor QtColor(TColor color);
QFont QtFont(const TFont& font);
QRect QtRect(const TRect& rect);
TRect RectFromQt(const QRect& rect);
inline QString QtText(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string TextFromQt(const QString& text) { return text.toUtf8().toStdString(); }
