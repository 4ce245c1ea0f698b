#include "framework/core/IniFile.h"

#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "platform/files/FileIO.h"
#include "platform/files/FileReplacement.h"
#include "platform/files/Find.h"
#include "platform/system/Locale.h"

namespace {

constexpr std::size_t kMaxValue = 2047;

// One line of the file as it stands: its text and the line end after it
// ("\r\n", "\n" or nothing for a last line without one), so joining the
// lines gives the file back byte for byte.
struct Line {
  std::string text;
  std::string end;
};

enum class Kind { Other, Section, Key };

struct Parsed {
  Kind kind = Kind::Other;
  std::string name;            // section or key name, blanks trimmed
  std::size_t valueStart = 0;  // key lines: where the value starts (after '=')
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string TrimBlanks(const std::string& text, std::size_t from = 0, std::size_t to = std::string::npos) {
  if (to > text.size()) to = text.size();
  while (from < to && IsBlank(text[from])) ++from;
  while (to > from && IsBlank(text[to - 1])) --to;
  return text.substr(from, to - from);
}

Parsed Parse(const std::string& text) {
  Parsed p;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i >= text.size() || text[i] == ';') return p;
  if (text[i] == '[') {
    const std::size_t close = text.rfind(']');
    p.kind = Kind::Section;
    p.name = TrimBlanks(text, i + 1, close == std::string::npos || close < i ? std::string::npos : close);
    return p;
  }
  const std::size_t equals = text.find('=', i);
  if (equals == std::string::npos) return p;
  p.name = TrimBlanks(text, i, equals);
  if (p.name.empty()) return p;
  p.kind = Kind::Key;
  p.valueStart = equals + 1;
  return p;
}

std::vector<Line> SplitLines(const std::string& contents) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t lf = contents.find('\n', start);
    if (lf == std::string::npos) {
      lines.push_back({contents.substr(start), ""});
      break;
    }
    std::size_t end = lf;
    if (end > start && contents[end - 1] == '\r') --end;
    lines.push_back({contents.substr(start, end - start), contents.substr(end, lf + 1 - end)});
    start = lf + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
  std::string contents;
  for (const Line& line : lines) contents += line.text + line.end;
  return contents;
}

// New lines follow the file's own line ends; a new file gets CR LF.
std::string LineEnd(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() ? CharUpperA(a) == CharUpperA(b) : false;
}

// The value as read: blanks dropped, one pair of enclosing quotes removed,
// at most 2,047 characters.
std::string CleanValue(const std::string& raw) {
  std::string value = TrimBlanks(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  return value;
}

// Index of the first header of `section`, or -1.
int FindSection(const std::vector<Line>& lines, const std::string& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Parsed p = Parse(lines[i].text);
    if (p.kind == Kind::Section && SameName(p.name, section)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::Contents() const { return platform::ReadWholeFile(fileName_).value_or(std::string()); }

void TIniFile::Store(const std::string& contents) const {
  if (!platform::ReplaceFileContents(fileName_, contents)) throw Exception("Unable to write to " + fileName_);
}

std::optional<std::string> TIniFile::Find(const std::string& section, const std::string& key) const {
  const std::vector<Line> lines = SplitLines(Contents());
  const int header = FindSection(lines, section);
  if (header < 0) return std::nullopt;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines.size(); ++i) {
    const Parsed p = Parse(lines[i].text);
    if (p.kind == Kind::Section) break;
    if (p.kind == Kind::Key && SameName(p.name, key)) return lines[i].text.substr(p.valueStart);
  }
  return std::nullopt;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const auto raw = Find(section, key);
  return raw ? CleanValue(*raw) : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  const auto raw = Find(section, key);
  return raw ? StrToIntDef(CleanValue(*raw), defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const auto old = platform::ReadWholeFile(fileName_);
  // A file that exists but cannot be read must not be replaced by one key.
  WIN32_FIND_DATAA data;
  if (!old) {
    if (HFIND search = FindFirstFileA(fileName_, FILE_ATTRIBUTE_ANY, data)) {
      FindClose(search);
      throw Exception("Unable to write to " + fileName_);
    }
  }
  std::vector<Line> lines = SplitLines(old.value_or(std::string()));
  const std::string end = LineEnd(lines);
  const int header = FindSection(lines, section);
  if (header < 0) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = end;
    lines.push_back({"[" + section + "]", end});
    lines.push_back({key + "=" + value, end});
  } else {
    std::size_t insertAfter = static_cast<std::size_t>(header);
    bool replaced = false;
    for (std::size_t i = insertAfter + 1; i < lines.size(); ++i) {
      const Parsed p = Parse(lines[i].text);
      if (p.kind == Kind::Section) break;
      if (p.kind != Kind::Key) continue;
      if (SameName(p.name, key)) {
        lines[i].text = lines[i].text.substr(0, p.valueStart) + value;
        replaced = true;
        break;
      }
      insertAfter = i;
    }
    if (!replaced) {
      if (lines[insertAfter].end.empty()) lines[insertAfter].end = end;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1, Line{key + "=" + value, end});
    }
  }
  const std::string contents = JoinLines(lines);
  if (old && contents == *old) return;
  Store(contents);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  const auto old = platform::ReadWholeFile(fileName_);
  if (!old) return;
  const std::vector<Line> lines = SplitLines(*old);
  std::vector<Line> kept;
  bool erasing = false;
  for (const Line& line : lines) {
    const Parsed p = Parse(line.text);
    if (p.kind == Kind::Section) erasing = SameName(p.name, section);
    if (!erasing) kept.push_back(line);
  }
  if (kept.size() == lines.size()) return;
  Store(JoinLines(kept));
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(SplitLines(Contents()), section) >= 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return Find(section, key).has_value();
}

void TIniFile::ReadSection(const std::string& section, TStringList* keys) const {
  keys->Clear();
  const std::vector<Line> lines = SplitLines(Contents());
  const int header = FindSection(lines, section);
  if (header < 0) return;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines.size(); ++i) {
    const Parsed p = Parse(lines[i].text);
    if (p.kind == Kind::Section) break;
    if (p.kind == Kind::Key) keys->Add(p.name);
  }
}

void TIniFile::ReadSections(TStringList* sections) const {
  sections->Clear();
  for (const Line& line : SplitLines(Contents())) {
    const Parsed p = Parse(line.text);
    if (p.kind == Kind::Section) sections->Add(p.name);
  }
}
