#include "platform/system/CaseFold.h"

#include <unicode/ucasemap.h>

namespace platform {

namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

UCaseMap* CaseMap() {
  static UCaseMap* map = [] {
    UErrorCode error = U_ZERO_ERROR;
    return ucasemap_open("", U_FOLD_CASE_DEFAULT, &error);
  }();
  return map;
}

}  // namespace

void FoldCaseInto(std::string_view text, std::string& out) {
  out.clear();
  if (IsAscii(text) || CaseMap() == nullptr) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = AsciiLower(text[i]);
    return;
  }
  // Folding may grow a text (one character can fold to three), so ask twice
  // when the first guess is short.
  out.resize(text.size() * 3 + 4);
  UErrorCode error = U_ZERO_ERROR;
  int32_t n = ucasemap_utf8FoldCase(CaseMap(), out.data(), static_cast<int32_t>(out.size()), text.data(),
                                    static_cast<int32_t>(text.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(static_cast<std::size_t>(n));
    error = U_ZERO_ERROR;
    n = ucasemap_utf8FoldCase(CaseMap(), out.data(), n, text.data(), static_cast<int32_t>(text.size()), &error);
  }
  if (U_FAILURE(error)) {
    out.assign(text);
    return;
  }
  out.resize(static_cast<std::size_t>(n));
}

std::string FoldCase(std::string_view text) {
  std::string out;
  FoldCaseInto(text, out);
  return out;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
  }
  return FoldCase(a) == FoldCase(b);
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

}  // namespace platform
