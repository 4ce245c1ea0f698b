// File-name masks against a small reference matcher: the mask and the name
// decoded into characters (a valid UTF-8 sequence one character, any other
// byte one of its own), matched by plain recursion.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/Masks.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {

// Bytes that start no valid sequence stand above every code point.
constexpr char32_t kStray = 0x110000;

std::vector<char32_t> Decode(const std::string& text) {
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = b(i);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    char32_t value = 0;
    if (length > 1 && i + length <= text.size()) {
      value = lead & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) length = 0;
        value = (value << 6) | (b(i + k) & 0x3F);
      }
      // Overlong forms, surrogates and values past U+10FFFF are no characters.
      const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
      if (value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) length = 0;
    } else if (length > 1) {
      length = 0;
    }
    if (length == 0) {
      out.push_back(kStray + lead);
      ++i;
    } else {
      out.push_back(length == 1 ? lead : value);
      i += length;
    }
  }
  return out;
}

char32_t Up(char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
char32_t Down(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

struct Item {
  explicit Item(char k, char32_t ch = 0) : kind(k), c(ch) {}
  char kind;  // 'c' a character, '?' any one, '*' any run, '[' a set
  char32_t c = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;
};

// The mask's items, or nothing when the mask is invalid.
std::optional<std::vector<Item>> Items(const std::vector<char32_t>& m) {
  std::vector<Item> items;
  int stars = 0;
  for (std::size_t p = 0; p < m.size(); ++p) {
    const bool afterStar = !items.empty() && items.back().kind == '*';
    if (m[p] == '*') {
      if (!afterStar && ++stars > 30) return std::nullopt;
      if (!afterStar) items.emplace_back('*');
    } else if (m[p] == '?') {
      if (!afterStar) items.emplace_back('?');
    } else if (m[p] == '[') {
      Item set('[');
      ++p;
      if (p < m.size() && m[p] == '!') {
        set.negated = true;
        ++p;
      }
      bool canRange = false;
      for (;; ++p) {
        if (p >= m.size()) return std::nullopt;
        if (m[p] == ']') {
          if (set.ranges.empty()) return std::nullopt;
          break;
        }
        if (m[p] == '-') {
          if (!canRange) return std::nullopt;
          if (p + 1 < m.size() && m[p + 1] != ']') {
            set.ranges.back().second = m[++p];
            canRange = false;
            continue;
          }
        }
        set.ranges.push_back({m[p], m[p]});
        canRange = m[p] != '-';
      }
      items.push_back(set);
    } else {
      items.emplace_back('c', m[p]);
    }
  }
  return items;
}

bool In(const Item& set, char32_t c) {
  for (const auto& [from, to] : set.ranges)
    if (from <= c && c <= to) return true;
  return false;
}

bool One(const Item& item, char32_t c, bool caseSensitive) {
  if (item.kind == '?') return true;
  if (item.kind == 'c') return caseSensitive ? c == item.c : Up(c) == Up(item.c);
  const bool in = In(item, c) || (!caseSensitive && (In(item, Up(c)) || In(item, Down(c))));
  return in != item.negated;
}

bool Matches(const std::vector<Item>& items, std::size_t t, const std::vector<char32_t>& name, std::size_t n,
             bool caseSensitive, std::vector<signed char>& memo) {
  signed char& known = memo[t * (name.size() + 1) + n];
  if (known >= 0) return known != 0;
  bool result;
  if (t == items.size()) {
    result = n == name.size();
  } else if (items[t].kind == '*') {
    result = Matches(items, t + 1, name, n, caseSensitive, memo) ||
             (n < name.size() && Matches(items, t, name, n + 1, caseSensitive, memo));
  } else {
    result = n < name.size() && One(items[t], name[n], caseSensitive) &&
             Matches(items, t + 1, name, n + 1, caseSensitive, memo);
  }
  known = result ? 1 : 0;
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  return 0;
}

// The first byte's low bit asks for case-sensitive matching; then the mask,
// a NUL, and the name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 512) return 0;
  const bool caseSensitive = (data[0] & 1) != 0;
  const std::vector<std::string> parts = fuzz_support::Parts(data + 1, size - 1, 2);
  const std::string& mask = parts[0];
  const std::string& name = parts[1];
  const auto items = Items(Decode(mask));
  bool valid = true;
  bool matched = false;
  try {
    matched = MatchesMask(name, mask, caseSensitive);
  } catch (const Exception&) {
    valid = false;
  }
  Check(valid == items.has_value(), "mask " + Shown(mask) + (valid ? " accepted" : " refused"));
  if (!valid) return 0;
  const std::vector<char32_t> decoded = Decode(name);
  std::vector<signed char> memo((items->size() + 1) * (decoded.size() + 1), -1);
  const bool expected = Matches(*items, 0, decoded, 0, caseSensitive, memo);
  Check(matched == expected,
        "mask " + Shown(mask) + " and name " + Shown(name) + (matched ? " matched" : " did not match"));
  return 0;
}
