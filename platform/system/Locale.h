#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// The user's regional settings for numbers, dates and times. Date and time
/// formats use the letters d, m, y for the date and h, n, s for the time
/// ("dd/mm/yyyy", "hh:nn:ss"); "am/pm" marks a 12-hour clock.
struct RegionalSettings {
  std::string decimalSeparator = ".";
  std::string thousandSeparator = ",";
  std::string shortDateFormat = "dd/mm/yyyy";
  std::string longTimeFormat = "hh:nn:ss";
};

/// The settings in force: the user's, from the POSIX locale of the
/// environment, unless a test has set its own.
const RegionalSettings& CurrentRegionalSettings();
/// Overrides the regional settings (tests).
void SetRegionalSettings(const RegionalSettings& settings);
/// Goes back to the user's regional settings.
void UseSystemRegionalSettings();

/// The regional settings of a POSIX locale ("de_DE.UTF-8"): its radix and
/// thousands separators and its date (D_FMT) and time (T_FMT) formats in
/// the d/m/y h/n/s letters. The C locale's when the locale is not installed.
RegionalSettings RegionalSettingsOfLocale(const std::string& numericLocale, const std::string& timeLocale);
/// A POSIX date or time format ("%d.%m.%Y", "%I:%M:%S %p") in the d/m/y h/n/s
/// letters ("dd.mm.yyyy", "hh:nn:ss am/pm"); literal letters are quoted.
std::string TranslatePosixTimeFormat(const std::string& format);
/// The POSIX locale the environment chooses for a category (LC_ALL, then the
/// category's variable, then LANG; "C" when none is set).
std::string EnvironmentLocale(const char* categoryVariable);

/// Appends to `keys` the collation key of a text in the user's locale, for
/// the comparison CompareStringA makes with the same flags (NORM_IGNORECASE
/// or 0): the keys of two texts, compared byte by byte as unsigned values
/// (a key that is the start of another ordering first), order as the texts.
void AppendCollationKey(std::uint32_t flags, const std::string& text, std::string& keys);

}  // namespace platform

constexpr std::uint32_t NORM_IGNORECASE = 0x1;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

/// Compares two texts by the collation of the user's locale (LC_COLLATE);
/// NORM_IGNORECASE ignores case (accents still count). Texts are UTF-8;
/// texts equal by the collation but not in their bytes are told apart by
/// their bytes unless case is ignored.
/// Gives CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN (0 on an error).
int CompareStringA(std::uint32_t flags, const std::string& a, const std::string& b);
/// Compares two texts in the user's locale, case counting: below, at or above zero.
int lstrcmpA(const std::string& a, const std::string& b);
/// Compares two texts in the user's locale, case ignored: below, at or above zero.
int lstrcmpiA(const std::string& a, const std::string& b);
/// The text in upper case by the user's locale's rules (LC_CTYPE); bytes that
/// are not valid UTF-8 stay as they are.
std::string CharUpperA(const std::string& text);
/// The text in lower case by the user's locale's rules.
std::string CharLowerA(const std::string& text);
/// Upper-cases `length` bytes in place, character by character; a character
/// whose upper case would take another number of bytes stays as it is.
/// Gives the number of bytes looked at.
std::uint32_t CharUpperBuffA(char* text, std::uint32_t length);
