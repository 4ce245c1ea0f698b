#pragma once

#include <string>
#include <string_view>

namespace platform {

/// The text folded for comparisons that ignore case (Unicode case folding on
/// UTF-8; bytes that are not valid UTF-8 stay as they are).
std::string FoldCase(std::string_view text);
/// Folds into `out`, reusing its storage (for loops over many names).
void FoldCaseInto(std::string_view text, std::string& out);
/// Whether two names are the same when case is ignored.
bool SameIgnoringCase(std::string_view a, std::string_view b);
/// The text with only its ASCII letters lowered, whatever the locale (for
/// names that ignore case in ASCII only).
std::string LowerAscii(std::string text);

}  // namespace platform
