#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/core/Utf8.h"

namespace {

struct DecodeCase {
  std::string text;
  std::optional<char32_t> character;  // of the first sequence
  std::size_t length;                 // bytes it takes
};

TEST(Utf8, DecodesWellFormedCharactersAndRefusesEveryOtherSequence) {
  const DecodeCase cases[] = {
      {"a", U'a', 1},
      {"\xC3\xA9", U'é', 2},
      {"\xE2\x82\xAC", U'€', 3},
      {"\xF0\x9F\x98\x80", U'\U0001F600', 4},
      {"\xF4\x8F\xBF\xBF", U'\U0010FFFF', 4},
      {"\xC0\xAE", std::nullopt, 1},          // overlong "."
      {"\xC1\xBF", std::nullopt, 1},          // overlong
      {"\xE0\x80\xAE", std::nullopt, 1},      // overlong "."
      {"\xF0\x80\x80\xAE", std::nullopt, 1},  // overlong "."
      {"\xED\xA0\x80", std::nullopt, 1},      // high surrogate
      {"\xED\xBF\xBF", std::nullopt, 1},      // low surrogate
      {"\xF4\x90\x80\x80", std::nullopt, 1},  // beyond U+10FFFF
      {"\xE2\x82", std::nullopt, 1},          // cut short
      {"\x80", std::nullopt, 1},              // stray continuation
      {"\xFF", std::nullopt, 1},
  };
  for (const DecodeCase& c : cases) {
    std::size_t i = 0;
    EXPECT_EQ(DecodeUtf8(c.text, i), c.character) << testing::PrintToString(c.text);
    EXPECT_EQ(i, c.length) << testing::PrintToString(c.text);
    EXPECT_EQ(IsValidUtf8(c.text), c.character.has_value()) << testing::PrintToString(c.text);
  }
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("naïve €"));
  EXPECT_FALSE(IsValidUtf8("name\xE0\x80\xAEtxt"));
}

}  // namespace
