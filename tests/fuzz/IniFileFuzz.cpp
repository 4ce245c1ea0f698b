// INI files over arbitrary bytes: a written key reads back and nothing else
// changes; erasing a section removes it and nothing else.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/IniFile.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "tests/components/ComponentTestSupport.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {

component_test::TestDrive* g_drive = nullptr;

// Every value the file gives, by section and key, both upper-cased.
using Values = std::map<std::pair<std::string, std::string>, std::string>;

Values ReadAll(const TIniFile& ini) {
  Values values;
  TStringList sections;
  TStringList keys;
  ini.ReadSections(&sections);
  for (int s = 0; s < sections.Count(); ++s) {
    ini.ReadSection(sections[s], &keys);
    for (int k = 0; k < keys.Count(); ++k)
      values.emplace(std::make_pair(AnsiUpperCase(sections[s]), AnsiUpperCase(keys[k])),
                     ini.ReadString(sections[s], keys[k], "\x01missing"));
  }
  return values;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// A name or value the file can hold as written: one line, no blanks at
// either end.
bool OneLine(const std::string& text) {
  return text.find_first_of(std::string("\n\0", 2)) == std::string::npos &&
         (text.empty() || (!Blank(text.front()) && !Blank(text.back())));
}

bool Writable(const std::string& section, const std::string& key, const std::string& value) {
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return OneLine(section) && section.find(']') == std::string::npos && OneLine(key) && !key.empty() &&
         key.find('=') == std::string::npos && key[0] != ';' && key[0] != '[' && OneLine(value) && !quoted &&
         value.size() <= 2047;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  g_drive = &fuzz_support::LastingDrive("inifile");
  return 0;
}

// The file, then the section, the key and the value of the write, cut at NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 8192) return 0;
  const std::vector<std::string> parts = fuzz_support::Parts(data, size, 4);
  const std::string& section = parts[1];
  const std::string& key = parts[2];
  const std::string& value = parts[3];
  component_test::WriteFile(g_drive->Host("t.ini"), parts[0]);
  TIniFile ini("C:\\t.ini");

  const Values before = ReadAll(ini);
  ini.WriteString(section, key, value);
  const Values after = ReadAll(ini);
  if (Writable(section, key, value)) {
    Check(ini.ReadString(section, key, "\x01missing") == value,
          "[" + Shown(section) + "] " + Shown(key) + " read back as " + Shown(ini.ReadString(section, key, "")));
    const auto written = std::make_pair(AnsiUpperCase(section), AnsiUpperCase(key));
    for (const auto& [where, old] : before) {
      if (where == written) continue;
      const auto now = after.find(where);
      Check(now != after.end() && now->second == old, "writing [" + Shown(section) + "] " + Shown(key) + " changed [" +
                                                          Shown(where.first) + "] " + Shown(where.second));
    }
  }

  ini.EraseSection(section);
  Check(!ini.SectionExists(section), "section " + Shown(section) + " still there");
  const Values erased = ReadAll(ini);
  for (const auto& [where, old] : after) {
    if (where.first == AnsiUpperCase(section)) continue;
    const auto now = erased.find(where);
    Check(now != erased.end() && now->second == old,
          "erasing " + Shown(section) + " changed [" + Shown(where.first) + "] " + Shown(where.second));
  }
  return 0;
}
