#include "framework/core/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "framework/core/Exception.h"
#include "platform/files/FileAttributes.h"
#include "platform/system/Locale.h"

namespace {

// The classic integer syntax: leading blanks, a sign, then decimal digits or
// hexadecimal ones after $, x or 0x. Hexadecimal may fill every bit of the
// type (so colours written as $80000008 read back), decimal must fit.
std::optional<std::uint64_t> ParseMagnitude(const std::string& text, bool& negative, bool& hex) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    const std::uint64_t base = hex ? 16 : 10;
    if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(digit)) / base) {
      return std::nullopt;
    }
    value = value * base + static_cast<std::uint64_t>(digit);
  }
  return value;
}

std::optional<std::int32_t> ParseInt32(const std::string& text) {
  bool negative = false;
  bool hex = false;
  const auto magnitude = ParseMagnitude(text, negative, hex);
  if (!magnitude) return std::nullopt;
  std::int64_t value;
  if (hex) {
    if (*magnitude > 0xFFFFFFFFu) return std::nullopt;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude));
  } else {
    if (*magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
    value = static_cast<std::int64_t>(*magnitude);
  }
  if (negative) value = -value;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

[[noreturn]] void RaiseNotInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

const platform::RegionalSettings& Regional() { return platform::CurrentRegionalSettings(); }

// Significant digits of a value: `digits` without leading zeros, `exponent`
// the power of ten of the first digit.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// The value's first 18 significant digits, the most the classic runtime
// converts; later rounding works on these decimal digits, halves away from
// zero, as that runtime rounds.
Decimal Digits18(double magnitude) {
  Decimal d;
  if (magnitude == 0) return d;
  // The digits printf's "%.17e" gives (both are exact), without its cost.
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17).ptr;
  const std::string s(buffer, end);
  const std::size_t e = s.find('e');
  for (std::size_t i = 0; i < e; ++i) {
    if (s[i] != '.') d.digits += s[i];
  }
  d.exponent = std::stoi(s.substr(e + 1));
  return d;
}

// Keeps the first `count` digits, rounding half up; a carry out of the first
// digit raises the exponent. Fewer than one digit kept leaves zero (no
// digits) unless the rounding carries into a new first digit.
Decimal RoundAt(Decimal d, int count) {
  if (count < 0 || d.digits.empty()) return Decimal{};
  if (count >= static_cast<int>(d.digits.size())) return d;
  const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
  d.digits.resize(static_cast<std::size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      d.digits.pop_back();
      if (count == 0) d.digits = "1";
      ++d.exponent;
    }
  }
  if (d.digits.find_first_not_of('0') == std::string::npos) return Decimal{};
  return d;
}

// `precision` significant digits, zeros added where the value has fewer.
Decimal ToDecimal(double magnitude, int precision) {
  Decimal d = RoundAt(Digits18(magnitude), precision);
  d.digits.resize(static_cast<std::size_t>(precision), '0');
  return d;
}

std::string Group(const std::string& whole) {
  const std::string& separator = Regional().thousandSeparator;
  std::string out;
  const std::size_t n = whole.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += whole[i];
  }
  return out;
}

std::string StripTrailingZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

std::string ExponentText(int exponent, int minDigits, bool alwaysSign) {
  std::string digits = std::to_string(std::abs(exponent));
  while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
  std::string sign = exponent < 0 ? "-" : (alwaysSign ? "+" : "");
  return "E" + sign + digits;
}

std::string General(double magnitude, int precision, int digits) {
  if (magnitude == 0) return "0";
  const Decimal d = ToDecimal(magnitude, precision);
  const std::string significant = StripTrailingZeros(d.digits);
  const std::string& point = Regional().decimalSeparator;
  if (d.exponent < precision && magnitude >= 0.00001) {
    if (d.exponent < 0) return "0" + point + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + significant;
    const std::size_t wholeCount = static_cast<std::size_t>(d.exponent) + 1;
    std::string whole = significant.substr(0, std::min(wholeCount, significant.size()));
    whole.append(wholeCount - whole.size(), '0');
    const std::string fraction = significant.size() > wholeCount ? significant.substr(wholeCount) : "";
    return fraction.empty() ? whole : whole + point + fraction;
  }
  std::string mantissa = significant.substr(0, 1);
  if (significant.size() > 1) mantissa += point + significant.substr(1);
  return mantissa + ExponentText(d.exponent, digits, false);
}

// Fixed notation with `decimals` decimals, the whole rounded to at most
// `precision` significant digits; nothing when the whole part is longer.
std::optional<std::pair<std::string, std::string>> Fixed(double magnitude, int precision, int decimals) {
  Decimal d = Digits18(magnitude);
  if (!d.digits.empty()) d = RoundAt(d, std::min(precision, d.exponent + 1 + decimals));
  if (!d.digits.empty() && d.exponent + 1 > precision) return std::nullopt;
  std::string whole, fraction;
  const int top = d.digits.empty() ? 0 : std::max(d.exponent, 0);
  for (int place = top; place >= -decimals; --place) {
    const int index = d.exponent - place;
    const char digit =
        index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
    (place >= 0 ? whole : fraction) += digit;
  }
  return std::make_pair(whole, fraction);
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

std::string Pad(std::string text, int width, bool left) {
  if (width > 0 && static_cast<int>(text.size()) < width) {
    const std::string fill(static_cast<std::size_t>(width) - text.size(), ' ');
    text = left ? text + fill : fill + text;
  }
  return text;
}

[[noreturn]] void RaiseBadFormat(const std::string& format) {
  throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

bool IsDelimiter(char c) { return c == '\\' || c == ':'; }

std::size_t LastDelimiter(const std::string& path, bool withDot) {
  for (std::size_t i = path.size(); i-- > 0;) {
    if (IsDelimiter(path[i]) || (withDot && path[i] == '.')) return i;
  }
  return std::string::npos;
}

constexpr double kDateDelta = 693594;  // days from 1 January 0001 to 30 December 1899
constexpr std::int64_t kMsPerDay = 86400000;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Whole days since 30 December 1899 and milliseconds into the day, as the
// classic runtime splits a date-time (the time part of a negative value
// counts forward from midnight too).
void Split(TDateTime value, std::int64_t& days, std::int64_t& ms) {
  days = static_cast<std::int64_t>(std::trunc(value));
  ms = static_cast<std::int64_t>(std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    days += value < 0 ? -1 : 1;
  }
}

void DaysToDate(std::int64_t days, int& year, int& month, int& day) {
  std::int64_t t = days + static_cast<std::int64_t>(kDateDelta) - 1;  // days since 1 January 0001, from 0
  if (t < 0) {
    year = month = day = 0;
    return;
  }
  std::int64_t y = 1;
  y += (t / 146097) * 400;
  t %= 146097;
  std::int64_t c = t / 36524;
  if (c == 4) c = 3;
  y += c * 100;
  t -= c * 36524;
  y += (t / 1461) * 4;
  t %= 1461;
  std::int64_t a = t / 365;
  if (a == 4) a = 3;
  y += a;
  t -= a * 365;
  year = static_cast<int>(y);
  month = 1;
  while (t >= DaysInMonth(year, month)) {
    t -= DaysInMonth(year, month);
    ++month;
  }
  day = static_cast<int>(t) + 1;
}

const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* word) {
  for (std::size_t i = 0; word[i] != 0; ++i) {
    if (at + i >= text.size()) return false;
    const char a = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + i])));
    if (a != word[i]) return false;
  }
  return true;
}

// The digits of a value in base 10 or 16 (upper case), zeros before them up
// to `width` digits, as "%0*d" and "%0*X" write them without their cost: a
// folder's listing writes several for every file.
std::string PaddedDigits(std::uint64_t value, unsigned base, int width) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = "0123456789ABCDEF"[value % base];
    value /= base;
  } while (value != 0);
  // Built whole in one allocation: the file list makes two of these a file.
  const std::size_t zeros = static_cast<std::size_t>(std::max(width - n, 0));
  std::string text(zeros + static_cast<std::size_t>(n), '0');
  for (std::size_t at = zeros; n > 0; ++at) text[at] = digits[--n];
  return text;
}

// A count in decimal, zeros before it up to `width` digits.
std::string ZeroPadded(int value, int width) {
  if (value >= 0) return PaddedDigits(static_cast<std::uint64_t>(value), 10, width);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

std::string TwoDigits(int value) { return ZeroPadded(value, 2); }

void AppendDateTime(std::string& out, const std::string& format, TDateTime value, int depth);

}  // namespace

int StrToInt(const std::string& text) {
  const auto value = ParseInt32(text);
  if (!value) RaiseNotInteger(text);
  return *value;
}

int StrToIntDef(const std::string& text, int defaultValue) {
  const auto value = ParseInt32(text);
  return value ? *value : defaultValue;
}

std::int64_t StrToInt64(const std::string& text) {
  bool negative = false;
  bool hex = false;
  const auto magnitude = ParseMagnitude(text, negative, hex);
  if (!magnitude) RaiseNotInteger(text);
  if (!hex && *magnitude > (negative ? 9223372036854775808u : 9223372036854775807u)) RaiseNotInteger(text);
  const std::uint64_t bits = negative ? (~*magnitude + 1) : *magnitude;
  return static_cast<std::int64_t>(bits);
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int32_t value, int digits) {
  return PaddedDigits(static_cast<std::uint32_t>(value), 16, std::clamp(digits, 0, 16));
}

std::string IntToHex(std::int64_t value, int digits) {
  return PaddedDigits(static_cast<std::uint64_t>(value), 16, std::clamp(digits, 0, 32));
}

std::string FormatArgs(const std::string& format, std::initializer_list<TFormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i >= format.size()) RaiseBadFormat(format);
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    if (format[i] == '-') {
      left = true;
      ++i;
    }
    int width = 0;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
      width = width * 10 + (format[i++] - '0');
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      precision = 0;
      ++i;
      while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) {
        precision = precision * 10 + (format[i++] - '0');
      }
    }
    if (i >= format.size() || next == args.end()) RaiseBadFormat(format);
    const TFormatArg& arg = *next++;
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
    std::string piece;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        if (arg.kind() != TFormatArg::Kind::Integer) RaiseBadFormat(format);
        std::int64_t v = arg.integer();
        if (type == 'x') {
          piece = IntToHex(v, 0);
        } else if (type == 'u') {
          piece = std::to_string(static_cast<std::uint32_t>(v));
        } else {
          piece = std::to_string(v < 0 ? -v : v);
        }
        if (precision > static_cast<int>(piece.size()))
          piece.insert(0, static_cast<std::size_t>(precision) - piece.size(), '0');
        if (type == 'd' && v < 0) piece.insert(piece.begin(), '-');
        break;
      }
      case 'f':
      case 'n':
      case 'e':
      case 'g': {
        if (arg.kind() == TFormatArg::Kind::Text) RaiseBadFormat(format);
        const double v = arg.kind() == TFormatArg::Kind::Float ? arg.floating() : static_cast<double>(arg.integer());
        if (type == 'f') piece = FloatToStrF(v, ffFixed, 18, precision < 0 ? 2 : precision);
        if (type == 'n') piece = FloatToStrF(v, ffNumber, 18, precision < 0 ? 2 : precision);
        if (type == 'e') piece = FloatToStrF(v, ffExponent, precision < 0 ? 15 : std::max(precision, 1), 3);
        if (type == 'g') piece = FloatToStrF(v, ffGeneral, precision < 0 ? 15 : std::max(precision, 1), 3);
        break;
      }
      case 's':
        if (arg.kind() != TFormatArg::Kind::Text) RaiseBadFormat(format);
        piece = arg.text();
        if (precision >= 0 && static_cast<std::size_t>(precision) < piece.size())
          piece.resize(static_cast<std::size_t>(precision));
        break;
      default: RaiseBadFormat(format);
    }
    out += Pad(piece, width, left);
  }
  return out;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 18);
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  std::string body;
  switch (format) {
    case ffGeneral: body = General(magnitude, precision, std::clamp(digits, 0, 4)); break;
    case ffExponent: {
      const Decimal d = ToDecimal(magnitude, precision);
      body = d.digits.substr(0, 1);
      if (d.digits.size() > 1) body += Regional().decimalSeparator + d.digits.substr(1);
      body += ExponentText(d.exponent, std::clamp(digits, 0, 4), true);
      break;
    }
    case ffFixed:
    case ffNumber: {
      const auto fixed = Fixed(magnitude, precision, std::clamp(digits, 0, 18));
      if (!fixed) {
        body = General(magnitude, precision, 0);
        break;
      }
      body = format == ffNumber ? Group(fixed->first) : fixed->first;
      if (!fixed->second.empty()) body += Regional().decimalSeparator + fixed->second;
      // A value that rounds to zero shows no minus sign.
      if (AllZero(fixed->first + fixed->second)) return body;
      break;
    }
  }
  if (negative && magnitude != 0) body.insert(0, "-");
  return body;
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

std::string FormatFloat(const std::string& format, double value) {
  if (format.empty()) return FloatToStr(value);
  // Split into sections at semicolons outside quotes.
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  std::string section = sections[0];
  bool showMinus = value < 0;
  if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    showMinus = false;
  }
  if (value == 0 && sections.size() > 2 && !sections[2].empty()) section = sections[2];

  std::string prefix, suffix;
  int minWhole = 0, minDecimals = 0, maxDecimals = 0;
  bool thousands = false, point = false, seenDigit = false;
  quote = 0;
  for (char c : section) {
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else {
        (seenDigit ? suffix : prefix) += c;
      }
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '0' || c == '#') {
      seenDigit = true;
      if (point) {
        ++maxDecimals;
        if (c == '0') minDecimals = maxDecimals;
      } else if (c == '0' || minWhole > 0) {
        ++minWhole;
      }
    } else if (c == '.' && !point) {
      point = true;
      seenDigit = true;
    } else if (c == ',' && !point) {
      thousands = true;
    } else {
      (seenDigit ? suffix : prefix) += c;
    }
  }
  if (!seenDigit) return prefix + suffix;

  const double magnitude = std::fabs(value);
  auto fixed = Fixed(magnitude, 15, maxDecimals);
  if (!fixed) return prefix + General(magnitude, 15, 0) + suffix;
  std::string whole = fixed->first;
  std::string fraction = fixed->second;
  while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();
  if (whole == "0" && minWhole == 0) whole.clear();
  while (static_cast<int>(whole.size()) < minWhole) whole.insert(whole.begin(), '0');
  if (thousands) whole = Group(whole);
  std::string number = whole;
  if (!fraction.empty()) number += Regional().decimalSeparator + fraction;
  if (showMinus && !AllZero(fixed->first + fixed->second)) number.insert(0, "-");
  return prefix + number + suffix;
}

std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string LowerCase(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string AnsiUpperCase(const std::string& text) { return CharUpperA(text); }
std::string AnsiLowerCase(const std::string& text) { return CharLowerA(text); }

int AnsiCompareText(const std::string& a, const std::string& b) {
  return CompareStringA(NORM_IGNORECASE, a, b) - CSTR_EQUAL;
}

int AnsiCompareStr(const std::string& a, const std::string& b) { return CompareStringA(0, a, b) - CSTR_EQUAL; }

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string TrimLeft(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  return text.substr(i);
}

std::string TrimRight(const std::string& text) {
  std::size_t n = text.size();
  while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= ' ') --n;
  return text.substr(0, n);
}

std::string ExtractFileName(const std::string& path) {
  const std::size_t i = LastDelimiter(path, false);
  return i == std::string::npos ? path : path.substr(i + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const std::size_t i = LastDelimiter(path, true);
  return i != std::string::npos && path[i] == '.' ? path.substr(i) : std::string();
}

std::string ExtractFilePath(const std::string& path) {
  const std::size_t i = LastDelimiter(path, false);
  return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

std::string ExtractFileDir(const std::string& path) {
  std::size_t i = LastDelimiter(path, false);
  if (i == std::string::npos) return std::string();
  // "C:\a" gives "C:\": the root keeps its backslash, as does "\\".
  if (i > 0 && path[i] == '\\' && !IsDelimiter(path[i - 1])) return path.substr(0, i);
  return path.substr(0, i + 1);
}

std::string IncludeTrailingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path : path + '\\';
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    throw EConvertError("Invalid argument to date encode");
  }
  const int y = year - 1;
  std::int64_t days = static_cast<std::int64_t>(y) * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  days += day;
  return static_cast<double>(days) - kDateDelta;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999) {
    throw EConvertError("Invalid argument to time encode");
  }
  return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  std::int64_t days, ms;
  Split(value, days, ms);
  DaysToDate(days, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  std::int64_t days, ms;
  Split(value, days, ms);
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

TDateTime FileDateToDateTime(std::int32_t fileDate) {
  const std::uint32_t packed = static_cast<std::uint32_t>(fileDate);
  const int year = static_cast<int>(packed >> 25) + 1980;
  const int month = static_cast<int>((packed >> 21) & 0xF);
  const int day = static_cast<int>((packed >> 16) & 0x1F);
  const int hour = static_cast<int>((packed >> 11) & 0x1F);
  const int minute = static_cast<int>((packed >> 5) & 0x3F);
  const int second = static_cast<int>(packed & 0x1F) * 2;
  try {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
  } catch (const EConvertError&) {
    return 0;
  }
}

namespace {

void AppendDateTime(std::string& out, const std::string& format, TDateTime value, int depth) {
  int year, month, day, hour, minute, second, ms;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  std::int64_t days, msOfDay;
  Split(value, days, msOfDay);
  const int weekday = static_cast<int>(((days + 6) % 7 + 7) % 7);  // 30 December 1899 was a Saturday
  const auto& regional = Regional();
  // A 12-hour clock when the picture holds an am/pm or a/p marker.
  const bool twelve = [&] {
    for (std::size_t i = 0; i < format.size(); ++i) {
      if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p")) return true;
    }
    return false;
  }();
  const int shownHour = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
  bool afterHour = false;
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t run = 1;
    while (i + run < format.size() && std::tolower(static_cast<unsigned char>(format[i + run])) == lower) ++run;
    if (c == '"' || c == '\'') {
      const std::size_t end = format.find(c, i + 1);
      out += format.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? format.size() : end + 1;
      continue;
    }
    if (StartsWithNoCase(format, i, "am/pm")) {
      const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
      out += hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
      i += 5;
      continue;
    }
    if (StartsWithNoCase(format, i, "a/p")) {
      const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
      out += hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
      i += 3;
      continue;
    }
    switch (lower) {
      case 'd':
        if (run >= 6 && depth == 0) {
          AppendDateTime(out, regional.shortDateFormat, value, depth + 1);
          run = 6;
        } else if (run == 5 && depth == 0) {
          AppendDateTime(out, regional.shortDateFormat, value, depth + 1);
        } else if (run == 4) {
          out += kLongDays[weekday];
        } else if (run == 3) {
          out += kShortDays[weekday];
        } else if (run == 2) {
          out += TwoDigits(day);
        } else {
          out += std::to_string(day);
          run = 1;
        }
        break;
      case 'm':
        if (afterHour && run <= 2) {
          out += run == 2 ? TwoDigits(minute) : std::to_string(minute);
        } else if (run >= 4) {
          out += kLongMonths[(month + 11) % 12];
          run = 4;
        } else if (run == 3) {
          out += kShortMonths[(month + 11) % 12];
        } else {
          out += run == 2 ? TwoDigits(month) : std::to_string(month);
        }
        break;
      case 'y':
        if (run >= 3) {
          out += ZeroPadded(year, 4);
        } else {
          out += TwoDigits(year % 100);
        }
        break;
      case 'h':
        if (run > 2) run = 2;
        out += run == 2 ? TwoDigits(shownHour) : std::to_string(shownHour);
        break;
      case 'n':
        if (run > 2) run = 2;
        out += run == 2 ? TwoDigits(minute) : std::to_string(minute);
        break;
      case 's':
        if (run > 2) run = 2;
        out += run == 2 ? TwoDigits(second) : std::to_string(second);
        break;
      case 'z': {
        out += ZeroPadded(ms, run >= 3 ? 3 : 1);
        if (run > 3) run = 3;
        break;
      }
      case 't':
        if (depth == 0) AppendDateTime(out, regional.longTimeFormat, value, depth + 1);
        if (run > 2) run = 2;
        break;
      case 'c':
        if (depth == 0) {
          AppendDateTime(out, regional.shortDateFormat, value, depth + 1);
          if (msOfDay != 0) {
            out += ' ';
            AppendDateTime(out, regional.longTimeFormat, value, depth + 1);
          }
        }
        run = 1;
        break;
      default: out.append(format, i, run); break;
    }
    if (lower == 'h') {
      afterHour = true;
    } else if (lower != ' ' && lower != ':' && std::isalpha(static_cast<unsigned char>(lower))) {
      afterHour = false;
    }
    i += run;
  }
}

}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime value) {
  std::string out;
  AppendDateTime(out, format, value, 0);
  return out;
}

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
std::string DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }

bool FileExists(const std::string& path) {
  const std::uint32_t attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  const std::uint32_t attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
