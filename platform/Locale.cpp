#include "Locale.h"

#include <cctype>

// Stand-in until the locale services are built: C-locale rules.
namespace platform {
namespace {
RegionalSettings& Settings() {
  static RegionalSettings settings;
  return settings;
}
}  // namespace
const RegionalSettings& CurrentRegionalSettings() { return Settings(); }
void SetRegionalSettings(const RegionalSettings& settings) { Settings() = settings; }
void UseSystemRegionalSettings() { Settings() = RegionalSettings{}; }
}  // namespace platform

std::string CharUpperA(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}
std::string CharLowerA(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}
int lstrcmpA(const std::string& a, const std::string& b) { return a.compare(b); }
int lstrcmpiA(const std::string& a, const std::string& b) { return CharUpperA(a).compare(CharUpperA(b)); }
int CompareStringA(std::uint32_t flags, const std::string& a, const std::string& b) {
  const int c = (flags & NORM_IGNORECASE) ? lstrcmpiA(a, b) : lstrcmpA(a, b);
  return c < 0 ? CSTR_LESS_THAN : (c == 0 ? CSTR_EQUAL : CSTR_GREATER_THAN);
}
