#pragma once

#include <memory>
#include <string>

/// An icon taken from a file: the bytes of an image file (PNG, XPM, SVG).
struct IconResource {
  std::string imageBytes;
};
using HICON = std::shared_ptr<const IconResource>;

/// The icon at position `index` of a file (a drive path, or a bare library
/// name such as "shell32.dll", found through the library search). A resource
/// library of this project, whatever its name, hands out its icons by
/// position; an image file (PNG, XPM, SVG, ICO, BMP, GIF, JPEG, known by its
/// content) is one icon, at position 0. Nothing (nullptr) when the file does
/// not exist, is a folder or anything else, or has no icon at that position.
HICON ExtractIconA(const std::string& fileName, unsigned index);
