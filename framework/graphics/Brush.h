#pragma once

#include "framework/graphics/Color.h"

/// How a canvas fills areas: the colour FillRect paints and text is backed with.
struct TBrush {
  TColor Color = clWhite;
};
