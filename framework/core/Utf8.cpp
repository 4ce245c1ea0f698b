#include "framework/core/Utf8.h"

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  std::size_t extra = 0;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    value = lead & 0x07;
  }
  bool valid = extra > 0 && i + extra < text.size();
  for (std::size_t k = 1; valid && k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    valid = (next & 0xC0) == 0x80;
    value = (value << 6) | (next & 0x3F);
  }
  // An overlong form or a surrogate would let one character pass for another
  // ("\xE0\x80\xAE" for "."), so neither is a character.
  if (valid && ((extra == 2 && value < 0x800) || (extra == 3 && (value < 0x10000 || value > 0x10FFFF)) ||
                (value >= 0xD800 && value <= 0xDFFF))) {
    valid = false;
  }
  if (!valid) {
    ++i;
    return std::nullopt;
  }
  i += extra + 1;
  return value;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!DecodeUtf8(text, i)) return false;
  }
  return true;
}
