#pragma once

#include <cstdint>

/// A point in time: 100-nanosecond intervals since 1 January 1601, UTC
/// (local time after FileTimeToLocalFileTime).
struct FILETIME {
  std::int64_t ticks = 0;
};

/// A point in time taken apart into its calendar fields.
struct SYSTEMTIME {
  std::uint16_t wYear = 1601;
  std::uint16_t wMonth = 1;      ///< 1 to 12
  std::uint16_t wDayOfWeek = 1;  ///< 0 Sunday to 6 Saturday
  std::uint16_t wDay = 1;        ///< 1 to 31
  std::uint16_t wHour = 0;
  std::uint16_t wMinute = 0;
  std::uint16_t wSecond = 0;
  std::uint16_t wMilliseconds = 0;
};

/// Turns a UTC time into the local time of the user's time zone (TZ), with
/// the offset in force at that moment. False when the time cannot be placed.
bool FileTimeToLocalFileTime(const FILETIME& utc, FILETIME& local);
/// Turns a local time back into UTC.
bool LocalFileTimeToFileTime(const FILETIME& local, FILETIME& utc);

/// Packs a time into the FAT date and time words: date bits 15-9 years since
/// 1980, 8-5 month, 4-0 day; time bits 15-11 hours, 10-5 minutes, 4-0 seconds
/// divided by two (an odd second goes down to the even one before it).
/// Only 1980 to 2107 can be packed: a time outside fails (false, with
/// ERROR_INVALID_PARAMETER) and gives the nearest packable time, 1 January
/// 1980 00:00:00 or 31 December 2107 23:59:58, so a caller that shows it
/// anyway shows a date at the edge rather than a wrong one.
bool FileTimeToDosDateTime(const FILETIME& time, std::uint16_t& dosDate, std::uint16_t& dosTime);
/// Unpacks FAT date and time words; false when a field is out of range
/// (month 0 or 13, day 0, hour 24 ...).
bool DosDateTimeToFileTime(std::uint16_t dosDate, std::uint16_t dosTime, FILETIME& time);

/// Takes a time apart; false before 1601 or after 30827.
bool FileTimeToSystemTime(const FILETIME& time, SYSTEMTIME& fields);
/// Puts a time together; false when a field is out of range.
bool SystemTimeToFileTime(const SYSTEMTIME& fields, FILETIME& time);

namespace platform {

/// The time of a host time stamp (seconds and nanoseconds since 1970, UTC).
FILETIME FileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds);
/// Whole seconds since 1970 of a time (rounded down).
std::int64_t UnixSecondsFromFileTime(const FILETIME& time);
/// The packed 32-bit form the file list keys on: date word high, time word low.
/// Follows FileTimeToDosDateTime, failure included.
bool FileTimeToPackedDosTime(const FILETIME& time, std::uint32_t& packed);

}  // namespace platform
