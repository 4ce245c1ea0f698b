#include <gtest/gtest.h>

#include <string>

#include "framework/core/Exception.h"
#include "framework/core/Masks.h"

namespace {

struct MaskCase {
  const char* mask;
  const char* name;
  bool matches;
};

// clang-format off
const MaskCase kCases[] = {
    // "." is a plain character: "*.*" needs a dot, so names without one are
    // never found with it.
    {"*.*", "readme.txt", true},   {"*.*", "READ.ME", true},     {"*.*", "README", false},
    {"*.*", ".profile", true},     {"*", "README", true},        {"", "", true},
    {"", "a", false},
    // Letters match in either case.
    {"*.TXT", "a.txt", true},      {"*.TXT", "B.Txt", true},     {"*.txt", "a.txt.bak", false},
    {"Make*", "Makefile", true},   {"Make*", "amake", false},
    // "?" is one character; right after a star it adds nothing.
    {"?.c", "a.c", true},          {"?.c", ".c", false},         {"?.c", "ab.c", false},
    {"*?.c", ".c", true},          {"*??x", "x", true},          {"a?*", "a", false},
    {"a?*", "ab", true},           {"?", "é", true},             {"??", "é", false},
    // Backtracking past a first try of the star.
    {"*ab*ab", "xabyab", true},    {"*a*b", "aaaa", false},      {"*aab", "aaab", true},
    // Sets, ranges, complements; a "-" before "]" stands for itself.
    {"[abc].txt", "b.txt", true},  {"[abc].txt", "d.txt", false}, {"[a-c]1", "B1", true},
    {"[!a-c]1", "d1", true},       {"[!a-c]1", "A1", false},     {"[a-]", "-", true},
    {"[A-z]", "_", true},          {"[z-a]", "m", false},        {"x[.]y", "x.y", true},
    // Bytes that are not well-formed UTF-8 (overlong forms, encoded
    // surrogates, cut-short sequences) count one each and are no character:
    // an overlong "." is no dot, an overlong "*" no star, an encoded surrogate
    // no member of a range of them.
    {"*.*", "a\xE0\x80\xAE" "b", false},   {"*\xE0\x80\xAE*", "a\xE0\x80\xAE" "b", true},
    {"\xE0\x80\xAA", "abc", false},      {"\xE0\x80\xAA", "\xE0\x80\xAA", true},
    {"\xC0\xAE", ".", false},             {"???", "\xE0\x80\xAE", true},
    {"[\xED\xA0\x80-\xED\xBF\xBF]", "\xED\xB0\x81", false},
    {"?", "\xED\xB0\x81", false},        {"?", "\xF4\x90\x80\x80", false},
    {"?", "\xF0\x9F\x98\x80", true},     {"a?", "a\xE2\x82", false},
};
// clang-format on

TEST(MatchesMask, FollowsTheMaskRules) {
  for (const MaskCase& c : kCases) {
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << "mask \"" << c.mask << "\", name \"" << c.name << "\"";
  }
}

TEST(MatchesMask, CanCountTheLetterCase) {
  EXPECT_TRUE(MatchesMask("a.txt", "*.txt", true));
  EXPECT_FALSE(MatchesMask("a.TXT", "*.txt", true));
  EXPECT_FALSE(MatchesMask("B", "[a-c]", true));
  // The compiled mask of the last call is not mixed up with the case rule.
  EXPECT_TRUE(MatchesMask("a.TXT", "*.txt", false));
}

struct InvalidCase {
  std::string mask;
  int position;
};

TEST(MatchesMask, RaisesForAnInvalidMaskWithWhereItsScanStopped) {
  std::string stars;
  for (int i = 0; i < 31; ++i) stars += "*a";
  const InvalidCase cases[] = {
      {"[abc", 5},     // never closed
      {"a[]", 3},      // empty
      {"[!]", 3},      // empty complement
      {"[-a]", 2},     // "-" with nothing before it
      {"[a-c-e]", 5},  // nor after a range
      {stars, 61},     // the 31st run of stars
  };
  for (const InvalidCase& c : cases) {
    try {
      MatchesMask("name", c.mask);
      ADD_FAILURE() << "no error for " << c.mask;
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), "'" + c.mask + "' is an invalid mask at (" + std::to_string(c.position) + ")");
    }
  }
  // Thirty runs are allowed, and a run of several stars is one run.
  EXPECT_TRUE(MatchesMask(std::string(30, 'a'), stars.substr(2)));
  EXPECT_TRUE(MatchesMask("ab", "a***?**b"));
}

}  // namespace
