#include "components/FileDateTexts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/core/SysUtils.h"
#include "platform/system/Locale.h"

namespace {

std::int32_t Packed(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(year - 1980) << 25 |
                                   static_cast<std::uint32_t>(month) << 21 | static_cast<std::uint32_t>(day) << 16 |
                                   static_cast<std::uint32_t>(hour) << 11 | static_cast<std::uint32_t>(minute) << 5 |
                                   static_cast<std::uint32_t>(second / 2));
}

class FileDateTextsTest : public ::testing::TestWithParam<platform::RegionalSettings> {
 protected:
  void SetUp() override { platform::SetRegionalSettings(GetParam()); }
  void TearDown() override { platform::UseSystemRegionalSettings(); }
};

// Every text is the one DateTimeToStr writes, also for days and times seen
// before in the same read, at midnight, at the edges of the packed form and
// for packed values that name no real day or time.
TEST_P(FileDateTextsTest, GivesTheTextsOfDateTimeToStr) {
  const std::vector<std::int32_t> times = {Packed(2009, 12, 31, 13, 45, 6),
                                           Packed(2009, 12, 31, 13, 45, 8),
                                           Packed(2009, 12, 31, 0, 0, 0),
                                           Packed(2010, 1, 1, 13, 45, 6),
                                           Packed(2010, 1, 1, 0, 0, 0),
                                           Packed(2010, 1, 1, 0, 0, 2),
                                           Packed(1980, 1, 1, 0, 0, 0),
                                           Packed(2107, 12, 31, 23, 59, 58),
                                           Packed(2009, 12, 31, 12, 0, 0),
                                           Packed(2009, 12, 31, 13, 45, 6),
                                           Packed(2009, 2, 30, 10, 0, 0),
                                           Packed(2009, 13, 1, 10, 0, 0),
                                           Packed(2009, 6, 1, 24, 0, 0),
                                           Packed(2009, 6, 1, 10, 60, 0),
                                           Packed(2009, 6, 1, 10, 0, 60),
                                           0,
                                           -1};
  FileDateTexts texts;
  for (int pass = 0; pass < 2; ++pass)
    for (const std::int32_t packed : times)
      EXPECT_EQ(texts.Of(packed), DateTimeToStr(FileDateToDateTime(packed))) << std::hex << packed;
}

platform::RegionalSettings Settings(const char* date, const char* time) {
  platform::RegionalSettings settings;
  settings.shortDateFormat = date;
  settings.longTimeFormat = time;
  return settings;
}

INSTANTIATE_TEST_SUITE_P(Formats, FileDateTextsTest,
                         ::testing::Values(Settings("dd/mm/yyyy", "hh:nn:ss"), Settings("m/d/yy", "h:nn:ss am/pm"),
                                           Settings("yyyy-mm-dd", "hh:mm"), Settings("ddd d mmm yyyy", "h.n a/p")));

}  // namespace
