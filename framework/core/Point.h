#pragma once

/// A point in two signed 32-bit coordinates.
struct TPoint {
  int x = 0;
  int y = 0;

  bool operator==(const TPoint&) const = default;
};
