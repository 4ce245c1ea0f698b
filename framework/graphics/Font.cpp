#include "framework/graphics/Font.h"

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  name_ = other.name_;
  charset_ = other.charset_;
  pitch_ = other.pitch_;
  size_ = other.size_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}
void TFont::SetCharset(int charset) {
  charset_ = charset;
  Changed();
}
void TFont::SetPitch(TFontPitch pitch) {
  pitch_ = pitch;
  Changed();
}
void TFont::SetSize(int points) {
  size_ = points;
  height_ = 0;
  Changed();
}
void TFont::SetHeight(int pixels) {
  height_ = pixels < 0 ? -pixels : pixels;
  Changed();
}
void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}
void TFont::SetStyle(TFontStyles style) {
  style_ = style;
  Changed();
}
void TFont::Changed() {
  if (OnChange) OnChange();
}
