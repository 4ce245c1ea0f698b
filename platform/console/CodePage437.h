#pragma once

#include <string_view>

namespace platform {

/// What a PC text console in code page 437 draws for a byte, as UTF-8: the
/// glyphs of the control bytes (1 "☺", 27 "←", 127 "⌂"; 0 a blank), the
/// ASCII characters as themselves, and the accented letters, box drawing and
/// signs of 128 to 255 (176 "░", 219 "█", 225 "ß", 255 a no-break space).
/// Each takes one cell.
std::string_view CodePage437Glyph(unsigned char byte);

}  // namespace platform
