#include "framework/core/Masks.h"

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/core/Utf8.h"

namespace {

constexpr int kMaxStarRuns = 30;
// A byte that starts no valid UTF-8 sequence stands for itself above every
// code point, so it never equals a real character.
constexpr char32_t kStrayByte = 0x110000;

std::vector<char32_t> Characters(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t at = i;
    out.push_back(DecodeUtf8(text, i).value_or(kStrayByte + static_cast<unsigned char>(text[at])));
  }
  return out;
}

char32_t Upper(char32_t c) { return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c; }
char32_t Lower(char32_t c) { return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c; }

struct Token {
  enum Kind { Literal, AnyOne, Star, Set };
  explicit Token(Kind k, char32_t c = 0) : kind(k), literal(c) {}

  Kind kind;
  char32_t literal = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;

  bool InSet(char32_t c) const {
    for (const auto& [from, to] : ranges)
      if (c >= from && c <= to) return true;
    return false;
  }
  bool MatchesOne(char32_t c, bool caseSensitive) const {
    switch (kind) {
      case Literal: return c == literal || (!caseSensitive && Upper(c) == Upper(literal));
      case AnyOne: return true;
      case Set: {
        // A letter is in the set when either of its cases is.
        const bool in = InSet(c) || (!caseSensitive && (InSet(Upper(c)) || InSet(Lower(c))));
        return in != negated;
      }
      case Star: break;
    }
    return false;
  }
};

[[noreturn]] void Invalid(const std::string& mask, std::size_t position) {
  throw Exception(Format("'%s' is an invalid mask at (%d)", mask, static_cast<int>(position + 1)));
}

std::vector<Token> Compile(const std::string& mask) {
  const std::vector<char32_t> m = Characters(mask);
  std::vector<Token> tokens;
  int starRuns = 0;
  std::size_t p = 0;
  while (p < m.size()) {
    const char32_t c = m[p];
    const bool afterStar = !tokens.empty() && tokens.back().kind == Token::Star;
    if (c == U'*') {
      if (!afterStar) {
        if (++starRuns > kMaxStarRuns) Invalid(mask, p);
        tokens.emplace_back(Token::Star);
      }
      ++p;
    } else if (c == U'?') {
      // Between a star and what follows it a "?" adds nothing.
      if (!afterStar) tokens.emplace_back(Token::AnyOne);
      ++p;
    } else if (c == U'[') {
      Token set(Token::Set);
      ++p;
      if (p < m.size() && m[p] == U'!') {
        set.negated = true;
        ++p;
      }
      bool haveLast = false;
      char32_t last = 0;
      for (;;) {
        if (p >= m.size()) Invalid(mask, p);
        const char32_t s = m[p];
        if (s == U']') {
          if (set.ranges.empty()) Invalid(mask, p);
          ++p;
          break;
        }
        if (s == U'-' && p + 1 < m.size() && m[p + 1] != U']') {
          if (!haveLast) Invalid(mask, p);
          set.ranges.back() = {last, m[p + 1]};
          haveLast = false;
          p += 2;
          continue;
        }
        if (s == U'-' && !haveLast) Invalid(mask, p);
        // A "-" just before the closing bracket stands for itself.
        set.ranges.emplace_back(s, s);
        last = s;
        haveLast = s != U'-';
        ++p;
      }
      tokens.push_back(std::move(set));
    } else {
      tokens.emplace_back(Token::Literal, c);
      ++p;
    }
  }
  return tokens;
}

// Each token but a star takes exactly one character, so going back to the
// last star is enough: the match takes time proportional to name x mask.
bool Match(const std::vector<Token>& tokens, const std::vector<char32_t>& name, bool caseSensitive) {
  std::size_t t = 0, n = 0;
  std::size_t starT = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (t < tokens.size() && tokens[t].kind == Token::Star) {
      starT = t++;
      starN = n;
    } else if (t < tokens.size() && tokens[t].MatchesOne(name[n], caseSensitive)) {
      ++t;
      ++n;
    } else if (starT != std::string::npos) {
      t = starT + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (t < tokens.size() && tokens[t].kind == Token::Star) ++t;
  return t == tokens.size();
}

}  // namespace

bool MatchesMask(const std::string& Filename, const std::string& Mask, bool CaseSensitive) {
  // A search tests one mask against many names: the last mask stays compiled.
  static std::string lastMask;
  static std::vector<Token> lastTokens;
  static bool compiled = false;
  if (!compiled || Mask != lastMask) {
    compiled = false;
    lastTokens = Compile(Mask);
    lastMask = Mask;
    compiled = true;
  }
  return Match(lastTokens, Characters(Filename), CaseSensitive);
}
