#pragma once

#include <memory>
#include <string>

/// An icon taken from a file: the bytes of an image file (PNG, XPM, SVG).
struct IconResource {
  std::string imageBytes;
};
using HICON = std::shared_ptr<const IconResource>;

/// The icon at position `index` of a file: a resource library of this
/// project (SHELL32.DLL and the like) hands out its icons by position; an
/// image file is one icon, at position 0. Nothing (nullptr) when the file
/// does not exist or has no icon at that position.
HICON ExtractIconA(const std::string& fileName, unsigned index);
