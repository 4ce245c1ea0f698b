#include "platform/files/FileTime.h"

#include <ctime>

#include "platform/system/LastError.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksPerDay = kTicksPerSecond * 86400;
// Days from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kDaysTo1970 = 134774;
constexpr std::int64_t kSecondsTo1970 = kDaysTo1970 * 86400;

// Days since 1 January 1970 of a proleptic Gregorian date, and back
// (H. Hinnant's civil-date algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

unsigned DaysInMonth(std::int64_t y, unsigned m) {
  static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

bool Offset(std::int64_t unixSeconds, std::int64_t& offset) {
  const std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm tm{};
  if (!::localtime_r(&t, &tm)) return false;
  offset = tm.tm_gmtoff;
  return true;
}

}  // namespace

bool FileTimeToLocalFileTime(const FILETIME& utc, FILETIME& local) {
  std::int64_t offset = 0;
  if (!Offset(platform::UnixSecondsFromFileTime(utc), offset)) return false;
  local.ticks = utc.ticks + offset * kTicksPerSecond;
  return true;
}

bool LocalFileTimeToFileTime(const FILETIME& local, FILETIME& utc) {
  // The offset is that of the UTC moment nearest the local one: try the
  // local reading as UTC, then correct once by the offset found there.
  std::int64_t offset = 0;
  const std::int64_t seconds = platform::UnixSecondsFromFileTime(local);
  if (!Offset(seconds, offset) || !Offset(seconds - offset, offset)) return false;
  utc.ticks = local.ticks - offset * kTicksPerSecond;
  return true;
}

bool FileTimeToSystemTime(const FILETIME& time, SYSTEMTIME& fields) {
  if (time.ticks < 0) return false;
  const std::int64_t days = time.ticks / kTicksPerDay;
  const std::int64_t rest = time.ticks % kTicksPerDay;
  std::int64_t y = 0;
  unsigned m = 0, d = 0;
  CivilFromDays(days - kDaysTo1970, y, m, d);
  if (y > 30827) return false;
  fields.wYear = static_cast<std::uint16_t>(y);
  fields.wMonth = static_cast<std::uint16_t>(m);
  fields.wDay = static_cast<std::uint16_t>(d);
  fields.wDayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);  // 1 January 1601 was a Monday
  fields.wHour = static_cast<std::uint16_t>(rest / (3600 * kTicksPerSecond));
  fields.wMinute = static_cast<std::uint16_t>(rest / (60 * kTicksPerSecond) % 60);
  fields.wSecond = static_cast<std::uint16_t>(rest / kTicksPerSecond % 60);
  fields.wMilliseconds = static_cast<std::uint16_t>(rest / 10'000 % 1000);
  return true;
}

bool SystemTimeToFileTime(const SYSTEMTIME& f, FILETIME& time) {
  if (f.wYear < 1601 || f.wYear > 30827 || f.wMonth < 1 || f.wMonth > 12 || f.wDay < 1 ||
      f.wDay > DaysInMonth(f.wYear, f.wMonth) || f.wHour > 23 || f.wMinute > 59 || f.wSecond > 59 ||
      f.wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::int64_t days = DaysFromCivil(f.wYear, f.wMonth, f.wDay) + kDaysTo1970;
  time.ticks = days * kTicksPerDay + ((f.wHour * 60 + f.wMinute) * 60 + f.wSecond) * kTicksPerSecond +
               f.wMilliseconds * 10'000LL;
  return true;
}

bool FileTimeToDosDateTime(const FILETIME& time, std::uint16_t& dosDate, std::uint16_t& dosTime) {
  SYSTEMTIME f;
  const bool split = FileTimeToSystemTime(time, f);
  if (!split || f.wYear < 1980 || f.wYear > 2107) {
    const bool late = split ? f.wYear > 2107 : time.ticks > 0;
    dosDate = late ? static_cast<std::uint16_t>((127 << 9) | (12 << 5) | 31) : static_cast<std::uint16_t>((1 << 5) | 1);
    dosTime = late ? static_cast<std::uint16_t>((23 << 11) | (59 << 5) | 29) : 0;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  dosDate = static_cast<std::uint16_t>(((f.wYear - 1980) << 9) | (f.wMonth << 5) | f.wDay);
  dosTime = static_cast<std::uint16_t>((f.wHour << 11) | (f.wMinute << 5) | (f.wSecond / 2));
  return true;
}

bool DosDateTimeToFileTime(std::uint16_t dosDate, std::uint16_t dosTime, FILETIME& time) {
  SYSTEMTIME f;
  f.wYear = static_cast<std::uint16_t>(1980 + (dosDate >> 9));
  f.wMonth = static_cast<std::uint16_t>((dosDate >> 5) & 0x0F);
  f.wDay = static_cast<std::uint16_t>(dosDate & 0x1F);
  f.wHour = static_cast<std::uint16_t>(dosTime >> 11);
  f.wMinute = static_cast<std::uint16_t>((dosTime >> 5) & 0x3F);
  f.wSecond = static_cast<std::uint16_t>((dosTime & 0x1F) * 2);
  return SystemTimeToFileTime(f, time);
}

namespace platform {

FILETIME FileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds) {
  return FILETIME{(seconds + kSecondsTo1970) * kTicksPerSecond + nanoseconds / 100};
}

std::int64_t UnixSecondsFromFileTime(const FILETIME& time) {
  return FloorDiv(time.ticks, kTicksPerSecond) - kSecondsTo1970;
}

bool FileTimeToPackedDosTime(const FILETIME& time, std::uint32_t& packed) {
  std::uint16_t date = 0, clock = 0;
  const bool ok = FileTimeToDosDateTime(time, date, clock);
  packed = (static_cast<std::uint32_t>(date) << 16) | clock;
  return ok;
}

}  // namespace platform
