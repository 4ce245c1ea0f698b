#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

// Conversions and text helpers of the framework's runtime: numbers to text and
// back, file-name pieces of drive paths, and dates and times in the user's
// regional formats (platform/system/Locale.h).

/// The text as a 32-bit integer: after any leading blanks, an optional sign,
/// then decimal digits, or hexadecimal digits after $, x, X, 0x or 0X; the
/// whole rest of the text must be digits. Hexadecimal takes up to 32 bits
/// ($FFFFFFFF is -1). Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
/// StrToInt, or `defaultValue` when the text is not such a number.
int StrToIntDef(const std::string& text, int defaultValue);
/// The same syntax as StrToInt for 64-bit numbers.
std::int64_t StrToInt64(const std::string& text);

std::string IntToStr(std::int64_t value);
/// Upper-case hexadecimal digits, at least `digits` of them (leading zeros).
/// A negative value shows its two's complement in 8 digits.
std::string IntToHex(std::int32_t value, int digits);
/// Upper-case hexadecimal, at least `digits` digits; a negative value shows
/// its two's complement in 16 digits.
std::string IntToHex(std::int64_t value, int digits);

/// One argument of Format: an integer, a floating-point number or a text.
class TFormatArg {
 public:
  enum class Kind { Integer, Float, Text };
  template <class T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
  TFormatArg(T value) : kind_(Kind::Integer), integer_(static_cast<std::int64_t>(value)) {}
  TFormatArg(double value) : kind_(Kind::Float), float_(value) {}
  TFormatArg(const char* text) : kind_(Kind::Text), text_(text != nullptr ? text : "") {}
  TFormatArg(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}

  Kind kind() const { return kind_; }
  std::int64_t integer() const { return integer_; }
  double floating() const { return float_; }
  const std::string& text() const { return text_; }

 private:
  Kind kind_;
  std::int64_t integer_ = 0;
  double float_ = 0;
  std::string text_;
};

/// printf-like formatting of the program's messages: %s (text), %d (integer),
/// %u, %x (upper-case hex), %f, %n (thousands groups), %e, %g (floats, with
/// the user's separators), %% for a percent sign; each with an optional "-"
/// (left-justify), a width and a ".precision". An argument of the wrong kind,
/// or too few arguments, raise EConvertError.
std::string FormatArgs(const std::string& format, std::initializer_list<TFormatArg> args);
template <class... Args>
std::string Format(const std::string& format, const Args&... args) {
  return FormatArgs(format, {TFormatArg(args)...});
}

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

/// A floating-point number as text with the user's decimal and thousands
/// separators. `precision` is the number of significant digits (at most 18);
/// `digits` the decimals of ffFixed and ffNumber, or the least number of
/// exponent digits of ffGeneral and ffExponent. ffFixed and ffNumber (which
/// adds thousands groups) fall back to ffGeneral when the whole part has more
/// digits than `precision`; FloatToStrF(v, ffNumber, 12, 2) gives exactly
/// two decimals with thousands groups and at most 12 significant digits
/// (-1234.567 as "-1,234.57"). ffGeneral is the shortest of fixed and scientific
/// notation, without trailing zeros: FloatToStrF(1500, ffGeneral, 15, 0) is
/// "1500".
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
/// The general number format with 15 significant digits.
std::string FloatToStr(double value);
/// A number by a picture: "0" a digit always shown, "#" a digit shown when
/// needed, "." the decimal separator, "," anywhere before it asks for
/// thousands groups, text in quotes and other characters before and after
/// the digits copied; up to three sections "positive;negative;zero".
/// FormatFloat("#,##0.00", 1234.5) is "1,234.50" with "," and "." as the
/// user's separators.
std::string FormatFloat(const std::string& format, double value);

/// Upper and lower case of the ASCII letters only.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
/// Upper and lower case by the user's locale (CharUpperA, CharLowerA).
std::string AnsiUpperCase(const std::string& text);
std::string AnsiLowerCase(const std::string& text);
/// Locale comparison, case ignored or counting: below, at or above zero.
int AnsiCompareText(const std::string& a, const std::string& b);
int AnsiCompareStr(const std::string& a, const std::string& b);

/// Without the characters of code 32 and below at both ends, the start or the end.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

/// The text after the last backslash or colon.
std::string ExtractFileName(const std::string& path);
/// From the last dot of the name part, with the dot; empty when there is none.
std::string ExtractFileExt(const std::string& path);
/// Up to and with the last backslash or colon.
std::string ExtractFilePath(const std::string& path);
/// Before the last backslash or colon; a drive's root keeps its backslash ("C:\").
std::string ExtractFileDir(const std::string& path);
/// The path with one backslash at its end (added when it has none).
std::string IncludeTrailingBackslash(const std::string& path);
/// The path without the one backslash at its end.
std::string ExcludeTrailingBackslash(const std::string& path);
/// Whether a file (not a folder) exists at a drive path.
bool FileExists(const std::string& path);
/// Whether a folder (not a file) exists at a drive path.
bool DirectoryExists(const std::string& path);

/// A date and time: whole days since 30 December 1899, the time of day as
/// the fraction.
using TDateTime = double;

/// Raises EConvertError for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
/// Raises EConvertError for a time out of range.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
/// A packed file date and time (date in the high 16 bits: year - 1980,
/// month, day; time in the low: hour, minute, second / 2) as a TDateTime;
/// 0 when the packed value names no valid date.
TDateTime FileDateToDateTime(std::int32_t fileDate);

/// A date and time by a picture: d dd (day), ddd dddd (English day names),
/// m mm (month; after h or hh the minutes), mmm mmmm (English month names),
/// yy yyyy, h hh, n nn, s ss, z zzz (milliseconds), am/pm and a/p (12-hour
/// clock), c (short date, then the long time unless it is midnight),
/// ddddd (short date), t tt (long time); text in quotes and every other
/// character copied as it stands.
std::string FormatDateTime(const std::string& format, TDateTime value);
/// The user's short date, one blank and the long time; the date alone at
/// exactly midnight.
std::string DateTimeToStr(TDateTime value);
/// The user's short date.
std::string DateToStr(TDateTime value);
/// The user's long time.
std::string TimeToStr(TDateTime value);
