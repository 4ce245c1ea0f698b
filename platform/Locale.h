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

}  // namespace platform

constexpr std::uint32_t NORM_IGNORECASE = 0x1;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

/// Compares two texts in the user's locale; NORM_IGNORECASE ignores case.
/// Gives CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN (0 on an error).
int CompareStringA(std::uint32_t flags, const std::string& a, const std::string& b);
/// Compares two texts in the user's locale, case counting: below, at or above zero.
int lstrcmpA(const std::string& a, const std::string& b);
/// Compares two texts in the user's locale, case ignored: below, at or above zero.
int lstrcmpiA(const std::string& a, const std::string& b);
/// The text in upper case by the user's locale's rules.
std::string CharUpperA(const std::string& text);
/// The text in lower case by the user's locale's rules.
std::string CharLowerA(const std::string& text);
