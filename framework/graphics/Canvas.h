#pragma once

#include <string>

#include "framework/core/Object.h"
#include "framework/core/Rect.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"

class QImage;
class QPainter;
class TGraphic;

/// A drawing surface: a bitmap's pixels, or a control while it draws
/// itself (a list view hands its canvas to OnCustomDrawItem). Outside of
/// either, drawing does nothing.
class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;

  /// The colour FillRect paints and text is backed with.
  TBrush* Brush() { return &brush_; }
  /// The font (and its colour) text is written in.
  TFont* Font() { return &font_; }

  void FillRect(const TRect& rect);
  /// Writes text with its top left corner at x, y, on the brush colour.
  void TextOut(int x, int y, const std::string& text);
  /// Fills the rectangle with the brush colour and writes text from x, y,
  /// cut off at the rectangle's edges.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  /// Draws a picture at its own size with its top left corner at x, y.
  void Draw(int x, int y, const TGraphic* graphic);
  /// Draws a picture stretched to fill the rectangle.
  void StretchDraw(const TRect& rect, const TGraphic* graphic);

  /// Draws through a painter until EndPaint (framework use only).
  void BeginPaint(QPainter* painter);
  void EndPaint();
  /// Draws on an image whenever no painter is set (framework use only).
  void AttachImage(QImage* image);

 private:
  template <typename F>
  void Paint(F&& draw);

  QPainter* painter_ = nullptr;
  QImage* image_ = nullptr;
  TBrush brush_;
  TFont font_;
};
