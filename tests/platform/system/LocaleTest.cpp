#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system/Locale.h"

namespace {

TEST(Locale, PosixFormatsInFormatLetters) {
  struct Case {
    const char* posix;
    const char* ours;
  };
  const Case cases[] = {
      {"%m/%d/%y", "mm/dd/yy"},
      {"%d.%m.%Y", "dd.mm.yyyy"},
      {"%Y-%m-%d", "yyyy-mm-dd"},
      {"%F", "yyyy-mm-dd"},
      {"%e %b %Y", "d mmm yyyy"},
      {"%Ey\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5",
       "yy\xE5\xB9\xB4mm\xE6\x9C\x88"
       "dd\xE6\x97\xA5"},
      {"%H:%M:%S", "hh:nn:ss"},
      {"%T", "hh:nn:ss"},
      {"%I:%M:%S %p", "hh:nn:ss am/pm"},
      {"%r", "hh:nn:ss am/pm"},
      {"%Hh%M", "hh\"h\"nn"},
      {"%k.%M %Z", "h.nn "},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::TranslatePosixTimeFormat(c.posix), c.ours) << c.posix;
}

TEST(Locale, RegionalSettingsOfTheCLocaleAndOverride) {
  const platform::RegionalSettings c = platform::RegionalSettingsOfLocale("C.UTF-8", "C.UTF-8");
  EXPECT_EQ(c.decimalSeparator, ".");
  EXPECT_EQ(c.thousandSeparator, "");
  EXPECT_EQ(c.shortDateFormat, "mm/dd/yy");
  EXPECT_EQ(c.longTimeFormat, "hh:nn:ss");
  EXPECT_EQ(platform::RegionalSettingsOfLocale("xx_NOWHERE.UTF-8", "xx_NOWHERE").shortDateFormat, "mm/dd/yy");

  platform::SetRegionalSettings({",", ".", "dd.mm.yyyy", "hh:nn:ss"});
  EXPECT_EQ(platform::CurrentRegionalSettings().decimalSeparator, ",");
  EXPECT_EQ(platform::CurrentRegionalSettings().shortDateFormat, "dd.mm.yyyy");
  platform::UseSystemRegionalSettings();
  EXPECT_EQ(platform::CurrentRegionalSettings().shortDateFormat, "mm/dd/yy");  // the tests run in C.UTF-8
}

TEST(Locale, Comparison) {
  struct Case {
    const char* a;
    const char* b;
    int ignoringCase;  // sign of the result
    int withCase;
  };
  const Case cases[] = {
      {"a", "B", -1, -1},
      {"abc", "ABC", 0, -1},
      {"\xC3\xA4pfel", "\xC3\x84PFEL", 0, -1},  // äpfel, ÄPFEL
      {"\xC3\xA4", "b", -1, -1},                // ä sorts with a, before b
      {"\xC3\xA4", "a", 1, 1},                  // accents count
      {"stra\xC3\x9F"
       "e",
       "STRASSE", 1, 1},
      {"file10", "file9", -1, -1},
      {"0000000000000FFF", "0000000000001000", -1, -1},
      {"caf\xE9", "caf\xE8", 0, 1},  // not UTF-8: equal by collation, told apart by bytes
  };
  const auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(sign(lstrcmpiA(c.a, c.b)), c.ignoringCase);
    EXPECT_EQ(sign(lstrcmpA(c.a, c.b)), c.withCase);
    EXPECT_EQ(CompareStringA(NORM_IGNORECASE, c.a, c.b) - CSTR_EQUAL, c.ignoringCase);
    EXPECT_EQ(CompareStringA(0, c.a, c.b) - CSTR_EQUAL, c.withCase);
  }
}

TEST(Locale, CollationKeysOrderAsTheComparison) {
  // Case, accents, digits, punctuation, blanks and names that are not UTF-8
  // (a lone continuation byte, a cut sequence, Latin-1 bytes, an overlong form).
  const std::vector<std::string> names = {"",
                                          "a",
                                          "A",
                                          "ab",
                                          "Ab",
                                          "a b",
                                          "a-b",
                                          "a_b",
                                          "a.b",
                                          "a,b",
                                          "(a)",
                                          "~a",
                                          "file10",
                                          "file9",
                                          "File9",
                                          "file09",
                                          "\xC3\xA4",
                                          "\xC3\x84",
                                          "a\xCC\x88",
                                          "b",
                                          "stra\xC3\x9F"
                                          "e",
                                          "STRASSE",
                                          "strasse",
                                          "\xC3\xA9t\xC3\xA9",
                                          "ete",
                                          "\xC3\xA9te",
                                          "\xCE\xB1",
                                          "\xCE\x91",
                                          "caf\xE9",
                                          "caf\xE8",
                                          "caf\xC3",
                                          "caf\x80",
                                          "\xC0\xAF",
                                          "\xFF\xFE",
                                          "a\xE9z",
                                          "a\xE9y",
                                          "0000000000000FFF",
                                          "0000000000001000",
                                          ".hidden",
                                          "#1",
                                          "\xE4\xB8\xAD\xE6\x96\x87",
                                          "\xF0\x9F\x98\x80",
                                          "z",
                                          "Z",
                                          "zz"};
  const auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
  for (const std::uint32_t flags : {NORM_IGNORECASE, 0u}) {
    std::vector<std::string> keys(names.size());
    for (std::size_t n = 0; n < names.size(); ++n) platform::AppendCollationKey(flags, names[n], keys[n]);
    for (std::size_t i = 0; i < names.size(); ++i) {
      for (std::size_t j = 0; j < names.size(); ++j) {
        SCOPED_TRACE(names[i] + " / " + names[j] + (flags != 0 ? " (case ignored)" : ""));
        EXPECT_EQ(sign(keys[i].compare(keys[j])), CompareStringA(flags, names[i], names[j]) - CSTR_EQUAL);
      }
    }
  }
  // Keys are appended: two in one string are the two keys end to end.
  std::string one, both;
  platform::AppendCollationKey(NORM_IGNORECASE, "x", one);
  both = one;
  platform::AppendCollationKey(NORM_IGNORECASE, "Y", both);
  EXPECT_EQ(both.substr(0, one.size()), one);
}

TEST(Locale, CaseMapping) {
  EXPECT_EQ(CharUpperA(".txt"), ".TXT");
  EXPECT_EQ(CharUpperA("\xC3\xA4\xC3\xB6\xC3\xBC \xCE\xB1\xCE\xB2"), "\xC3\x84\xC3\x96\xC3\x9C \xCE\x91\xCE\x92");
  EXPECT_EQ(CharUpperA("stra\xC3\x9F"
                       "e"),
            "STRASSE");
  EXPECT_EQ(CharUpperA("caf\xE9.txt"), "CAF\xE9.TXT");  // a byte that is not UTF-8 stays
  EXPECT_EQ(CharLowerA("\xC3\x84PFEL.TXT"), "\xC3\xA4pfel.txt");
  std::string buffer = "\xC3\xA4x\xE9\xC3\x9F";
  EXPECT_EQ(CharUpperBuffA(buffer.data(), static_cast<std::uint32_t>(buffer.size())), buffer.size());
  EXPECT_EQ(buffer, "\xC3\x84X\xE9\xC3\x9F");  // ß would grow, so it stays
}

}  // namespace
