#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/files/FileTime.h"

namespace {

FILETIME At(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
  SYSTEMTIME f;
  f.wYear = static_cast<std::uint16_t>(year);
  f.wMonth = static_cast<std::uint16_t>(month);
  f.wDay = static_cast<std::uint16_t>(day);
  f.wHour = static_cast<std::uint16_t>(hour);
  f.wMinute = static_cast<std::uint16_t>(minute);
  f.wSecond = static_cast<std::uint16_t>(second);
  f.wMilliseconds = static_cast<std::uint16_t>(ms);
  FILETIME t;
  EXPECT_TRUE(SystemTimeToFileTime(f, t));
  return t;
}

TEST(FileTime, DosPacking) {
  struct Case {
    FILETIME time;
    bool ok;
    std::uint32_t packed;
  };
  const Case cases[] = {
      {At(1980, 1, 1, 0, 0, 0), true, 0x00210000},
      {At(2009, 12, 31, 23, 59, 58), true, (29u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u},
      // Two-second steps: an odd second goes down, never up into the next minute.
      {At(2010, 1, 1, 12, 30, 59, 999), true, (30u << 25) | (1u << 21) | (1u << 16) | (12u << 11) | (30u << 5) | 29u},
      {At(2010, 1, 1, 12, 30, 1), true, (30u << 25) | (1u << 21) | (1u << 16) | (12u << 11) | (30u << 5) | 0u},
      {At(2107, 12, 31, 23, 59, 59), true, (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u},
      // Outside 1980 to 2107: fails, and gives the nearest packable time.
      {At(1979, 12, 31, 23, 59, 59), false, 0x00210000},
      {At(1601, 1, 1, 0, 0, 0), false, 0x00210000},
      {At(2108, 1, 1, 0, 0, 0), false, (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.packed);
    std::uint32_t packed = 0;
    EXPECT_EQ(platform::FileTimeToPackedDosTime(c.time, packed), c.ok);
    EXPECT_EQ(packed, c.packed);
  }
}

TEST(FileTime, UnpackingGivesTheDateTimeBack) {
  FILETIME t;
  ASSERT_TRUE(DosDateTimeToFileTime(static_cast<std::uint16_t>((29 << 9) | (12 << 5) | 31),
                                    static_cast<std::uint16_t>((23 << 11) | (59 << 5) | 29), t));
  SYSTEMTIME f;
  ASSERT_TRUE(FileTimeToSystemTime(t, f));
  EXPECT_EQ(f.wYear, 2009);
  EXPECT_EQ(f.wMonth, 12);
  EXPECT_EQ(f.wDay, 31);
  EXPECT_EQ(f.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(f.wHour, 23);
  EXPECT_EQ(f.wMinute, 59);
  EXPECT_EQ(f.wSecond, 58);
  EXPECT_FALSE(DosDateTimeToFileTime(0, 0, t));                                          // month 0
  EXPECT_FALSE(DosDateTimeToFileTime(static_cast<std::uint16_t>((2 << 5) | 30), 0, t));  // 30 February
  EXPECT_FALSE(DosDateTimeToFileTime(0x21, static_cast<std::uint16_t>(24 << 11), t));    // hour 24
}

TEST(FileTime, UnixTimesAndLocalTime) {
  EXPECT_EQ(platform::FileTimeFromUnix(0, 0).ticks, 116444736000000000LL);
  EXPECT_EQ(platform::UnixSecondsFromFileTime(platform::FileTimeFromUnix(-1, 500)), -1);
  const char* old = std::getenv("TZ");
  const std::string saved = old ? old : "";
  setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
  tzset();
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(At(2010, 1, 15, 12, 0, 0), local));
  EXPECT_EQ(local.ticks, At(2010, 1, 15, 7, 0, 0).ticks);
  ASSERT_TRUE(FileTimeToLocalFileTime(At(2010, 7, 15, 12, 0, 0), local));
  EXPECT_EQ(local.ticks, At(2010, 7, 15, 8, 0, 0).ticks);
  FILETIME utc;
  ASSERT_TRUE(LocalFileTimeToFileTime(local, utc));
  EXPECT_EQ(utc.ticks, At(2010, 7, 15, 12, 0, 0).ticks);
  if (old)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

}  // namespace
