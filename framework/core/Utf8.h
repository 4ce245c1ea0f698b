#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

/// The character of well-formed UTF-8 that starts at `i` in `text`, moving
/// `i` past it; nothing, with `i` moved by one byte, where no well-formed
/// sequence starts: a stray or cut-short sequence, an overlong form, an
/// encoded surrogate or a code point beyond U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i);

/// Whether the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
