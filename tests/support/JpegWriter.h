#pragma once

// Test helper: writes small JPEG pictures with libjpeg's encoder, so tests
// decode pictures they made themselves.

#include <functional>
#include <string>

namespace testing_support {

/// One pixel's red, green and blue.
struct Rgb {
  unsigned char r = 0, g = 0, b = 0;
};

/// The bytes of a JPEG file of width x height pixels coloured by `pixel`
/// (quality 95); with `gray`, a one-channel picture of the pixels' green.
std::string JpegBytes(int width, int height, const std::function<Rgb(int x, int y)>& pixel, bool gray = false);

}  // namespace testing_support
