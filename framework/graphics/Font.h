#pragma once

#include <functional>
#include <string>

#include "framework/graphics/Color.h"

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
/// A set of TFontStyle bits.
using TFontStyles = int;

enum TFontPitch { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

/// A font description: face, character set, pitch, size, colour and style.
/// Controls apply it to what they draw whenever it changes.
class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  /// Copies every attribute of `other`.
  void Assign(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  /// Windows character-set number (1 the system's default).
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  /// Size in points; setting it clears a pixel height.
  int Size() const { return size_; }
  void SetSize(int points);
  /// Character height in pixels (0 when the font is sized in points).
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  /// Called after every change; controls use it to redraw with the font.
  std::function<void()> OnChange;

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int charset_ = 1;
  TFontPitch pitch_ = fpDefault;
  int size_ = 8;
  int height_ = 0;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
};
