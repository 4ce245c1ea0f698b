#include "platform/system/Locale.h"

#include <langinfo.h>
#include <locale.h>
#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

namespace {

std::optional<RegionalSettings>& Override() {
  static std::optional<RegionalSettings> settings;
  return settings;
}

const RegionalSettings& SystemSettings() {
  static const RegionalSettings settings =
      RegionalSettingsOfLocale(EnvironmentLocale("LC_NUMERIC"), EnvironmentLocale("LC_TIME"));
  return settings;
}

// "de_DE.UTF-8@euro" as ICU names it ("de_DE"); the C locale is ICU's root.
std::string IcuLocale(const std::string& posix) {
  std::string id = posix.substr(0, posix.find_first_of(".@"));
  if (id == "C" || id == "POSIX") return "";
  return id;
}

bool IsAscii(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void AppendLiteral(std::string& out, const std::string& literal) {
  // Letters would read as format letters, so they go in double quotes.
  std::string run;
  for (const char c : literal) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter) {
      run += c;
      continue;
    }
    if (!run.empty()) out += "\"" + run + "\"";
    run.clear();
    out += c;
  }
  if (!run.empty()) out += "\"" + run + "\"";
}

struct Collators {
  UCollator* exact = nullptr;
  UCollator* caseless = nullptr;
};

const Collators& UserCollators() {
  static const Collators collators = [] {
    Collators c;
    const std::string id = IcuLocale(EnvironmentLocale("LC_COLLATE"));
    UErrorCode error = U_ZERO_ERROR;
    c.exact = ucol_open(id.c_str(), &error);
    if (U_FAILURE(error)) {
      error = U_ZERO_ERROR;
      c.exact = ucol_open("", &error);
    }
    if (U_FAILURE(error)) return Collators{};
    c.caseless = ucol_clone(c.exact, &error);
    if (U_FAILURE(error)) return Collators{};
    ucol_setStrength(c.caseless, UCOL_SECONDARY);
    return c;
  }();
  return collators;
}

struct CaseRules {
  UCaseMap* map = nullptr;
  bool asciiIsPlain = true;  // Turkic and Lithuanian rules change even ASCII letters
};

const CaseRules& UserCaseRules() {
  static const CaseRules rules = [] {
    CaseRules r;
    const std::string id = IcuLocale(EnvironmentLocale("LC_CTYPE"));
    const std::string language = id.substr(0, id.find('_'));
    r.asciiIsPlain = language != "tr" && language != "az" && language != "lt";
    UErrorCode error = U_ZERO_ERROR;
    r.map = ucasemap_open(id.c_str(), 0, &error);
    if (U_FAILURE(error)) r.map = nullptr;
    return r;
  }();
  return rules;
}

using CaseFunction = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

std::string MapCase(const std::string& text, CaseFunction function, bool upper) {
  const CaseRules& rules = UserCaseRules();
  if ((IsAscii(text) && rules.asciiIsPlain) || !rules.map) {
    std::string out = text;
    for (char& c : out) {
      if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
  }
  std::string out(text.size() * 3 + 4, '\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t n = function(rules.map, out.data(), static_cast<int32_t>(out.size()), text.data(),
                       static_cast<int32_t>(text.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(static_cast<std::size_t>(n));
    error = U_ZERO_ERROR;
    n = function(rules.map, out.data(), n, text.data(), static_cast<int32_t>(text.size()), &error);
  }
  if (U_FAILURE(error)) return text;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

int Collate(bool ignoreCase, const std::string& a, const std::string& b) {
  const Collators& c = UserCollators();
  UCollator* collator = ignoreCase ? c.caseless : c.exact;
  if (!collator) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  UErrorCode error = U_ZERO_ERROR;
  const UCollationResult result = ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                   static_cast<int32_t>(b.size()), &error);
  if (U_FAILURE(error)) return 2;
  if (result == UCOL_LESS) return -1;
  if (result == UCOL_GREATER) return 1;
  if (ignoreCase) return 0;
  // Names that are not valid UTF-8 collate alike; their bytes still differ.
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

// The collator's sort key of a text, appended to keys. Collate compares
// UTF-8 directly, reading each ill-formed sequence as U+FFFD; the key is
// made from UTF-16 converted by the same rule, so keys order as Collate does.
void AppendKey(bool ignoreCase, const std::string& text, std::string& keys) {
  const Collators& c = UserCollators();
  UCollator* collator = ignoreCase ? c.caseless : c.exact;
  const std::size_t start = keys.size();
  if (collator) {
    // File names are short: the UTF-16 form fits on the stack.
    UChar small[512];
    std::vector<UChar> large;
    UChar* units = small;
    int32_t capacity = 512;
    if (text.size() >= 512) {
      large.resize(text.size() + 1);
      units = large.data();
      capacity = static_cast<int32_t>(large.size());
    }
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units, capacity, &length, text.data(), static_cast<int32_t>(text.size()), 0xFFFD, nullptr,
                         &error);
    if (U_SUCCESS(error)) {
      std::size_t room = static_cast<std::size_t>(length) * 4 + 16;
      keys.resize(start + room);
      auto* out = reinterpret_cast<uint8_t*>(keys.data() + start);
      int32_t made = ucol_getSortKey(collator, units, length, out, static_cast<int32_t>(room));
      if (made > static_cast<int32_t>(room)) {
        room = static_cast<std::size_t>(made);
        keys.resize(start + room);
        out = reinterpret_cast<uint8_t*>(keys.data() + start);
        made = ucol_getSortKey(collator, units, length, out, made);
      }
      // The key ends in a zero byte: a longer key that shares its start
      // orders after it, as its text does.
      keys.resize(start + static_cast<std::size_t>(made));
      if (ignoreCase) return;
    } else {
      keys.resize(start);
    }
  }
  // Texts equal by the collation are told apart by their bytes.
  keys += text;
}
}  // namespace

void AppendCollationKey(std::uint32_t flags, const std::string& text, std::string& keys) {
  AppendKey((flags & NORM_IGNORECASE) != 0, text, keys);
}

std::string EnvironmentLocale(const char* categoryVariable) {
  for (const char* name : {"LC_ALL", categoryVariable, "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "C";
}

std::string TranslatePosixTimeFormat(const std::string& format) {
  std::string out, literal;
  const auto flush = [&] {
    AppendLiteral(out, literal);
    literal.clear();
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      literal += format[i];
      continue;
    }
    char code = format[++i];
    // Flags, widths and the E and O modifiers do not change which field it is.
    while ((code == 'E' || code == 'O' || code == '-' || code == '_' || code == '0' || code == '^' || code == '#') &&
           i + 1 < format.size())
      code = format[++i];
    const char* field = nullptr;
    switch (code) {
      case 'd': field = "dd"; break;
      case 'e': field = "d"; break;
      case 'm': field = "mm"; break;
      case 'b':
      case 'h': field = "mmm"; break;
      case 'B': field = "mmmm"; break;
      case 'a': field = "ddd"; break;
      case 'A': field = "dddd"; break;
      case 'y': field = "yy"; break;
      case 'Y':
      case 'C': field = "yyyy"; break;
      case 'D': field = "mm/dd/yy"; break;
      case 'F': field = "yyyy-mm-dd"; break;
      case 'H':
      case 'I': field = "hh"; break;
      case 'k':
      case 'l': field = "h"; break;
      case 'M': field = "nn"; break;
      case 'S': field = "ss"; break;
      case 'p':
      case 'P': field = "am/pm"; break;
      case 'T': field = "hh:nn:ss"; break;
      case 'R': field = "hh:nn"; break;
      case 'r': field = "hh:nn:ss am/pm"; break;
      case 'n':
      case 't': literal += ' '; break;
      case '%': literal += '%'; break;
      default: break;  // a field these formats cannot show is left out
    }
    if (field) {
      flush();
      out += field;
    }
  }
  flush();
  return out;
}

RegionalSettings RegionalSettingsOfLocale(const std::string& numericLocale, const std::string& timeLocale) {
  RegionalSettings settings;
  locale_t numeric = ::newlocale(LC_NUMERIC_MASK, numericLocale.c_str(), static_cast<locale_t>(nullptr));
  if (!numeric) numeric = ::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  if (numeric) {
    settings.decimalSeparator = ::nl_langinfo_l(RADIXCHAR, numeric);
    settings.thousandSeparator = ::nl_langinfo_l(THOUSEP, numeric);
    ::freelocale(numeric);
  }
  locale_t time = ::newlocale(LC_TIME_MASK, timeLocale.c_str(), static_cast<locale_t>(nullptr));
  if (!time) time = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  if (time) {
    settings.shortDateFormat = TranslatePosixTimeFormat(::nl_langinfo_l(D_FMT, time));
    std::string clock = ::nl_langinfo_l(T_FMT, time);
    // Some locales leave T_FMT empty and give only the 12-hour form.
    if (clock.empty()) clock = ::nl_langinfo_l(T_FMT_AMPM, time);
    settings.longTimeFormat = TranslatePosixTimeFormat(clock);
    ::freelocale(time);
  }
  return settings;
}

const RegionalSettings& CurrentRegionalSettings() { return Override() ? *Override() : SystemSettings(); }
void SetRegionalSettings(const RegionalSettings& settings) { Override() = settings; }
void UseSystemRegionalSettings() { Override().reset(); }

}  // namespace platform

std::string CharUpperA(const std::string& text) { return platform::MapCase(text, ucasemap_utf8ToUpper, true); }

std::string CharLowerA(const std::string& text) { return platform::MapCase(text, ucasemap_utf8ToLower, false); }

std::uint32_t CharUpperBuffA(char* text, std::uint32_t length) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(text);
  int32_t i = 0;
  const auto end = static_cast<int32_t>(length);
  while (i < end) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, end, c);
    if (c < 0) continue;  // not UTF-8: the byte stays
    const UChar32 upper = u_toupper(c);
    if (upper == c || U8_LENGTH(upper) != i - start) continue;
    int32_t at = start;
    U8_APPEND_UNSAFE(bytes, at, upper);
  }
  return length;
}

int CompareStringA(std::uint32_t flags, const std::string& a, const std::string& b) {
  const int c = platform::Collate((flags & NORM_IGNORECASE) != 0, a, b);
  if (c == 2) return 0;
  return c < 0 ? CSTR_LESS_THAN : (c == 0 ? CSTR_EQUAL : CSTR_GREATER_THAN);
}

int lstrcmpA(const std::string& a, const std::string& b) {
  const int c = platform::Collate(false, a, b);
  return c == 2 ? a.compare(b) : c;
}

int lstrcmpiA(const std::string& a, const std::string& b) {
  const int c = platform::Collate(true, a, b);
  return c == 2 ? a.compare(b) : c;
}
