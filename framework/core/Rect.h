#pragma once

/// A rectangle in pixels: Left and Top inside, Right and Bottom just outside.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

/// The rectangle from its four edges.
constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
