#include "framework/core/IniLines.h"

#include "platform/system/Locale.h"

namespace {

constexpr std::size_t kMaxValue = 2047;
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

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

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() ? CharUpperA(a) == CharUpperA(b) : false;
}

}  // namespace

TIniLines::TIniLines(const std::string& text) {
  std::size_t start = 0;
  // A byte-order mark that an editor put at the start would otherwise hide
  // the first section; it is kept for the text written back.
  if (text.compare(0, 3, kByteOrderMark) == 0) {
    mark_ = kByteOrderMark;
    start = 3;
  }
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string::npos) {
      lines_.push_back({text.substr(start), ""});
      break;
    }
    std::size_t end = lf;
    if (end > start && text[end - 1] == '\r') --end;
    lines_.push_back({text.substr(start, end - start), text.substr(end, lf + 1 - end)});
    start = lf + 1;
  }
}

std::string TIniLines::Text() const {
  std::string text = mark_;
  for (const Line& line : lines_) text += line.text + line.end;
  return text;
}

// New lines follow the text's own line ends; a new text gets CR LF.
std::string TIniLines::LineEnd() const {
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

std::string TIniLines::CleanValue(const std::string& raw) {
  std::string value = TrimBlanks(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  return value;
}

int TIniLines::FindSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Parsed p = Parse(lines_[i].text);
    if (p.kind == Kind::Section && SameName(p.name, section)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::string> TIniLines::Find(const std::string& section, const std::string& key) const {
  const int header = FindSection(section);
  if (header < 0) return std::nullopt;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
    const Parsed p = Parse(lines_[i].text);
    if (p.kind == Kind::Section) break;
    if (p.kind == Kind::Key && SameName(p.name, key)) return lines_[i].text.substr(p.valueStart);
  }
  return std::nullopt;
}

void TIniLines::Write(const std::string& section, const std::string& key, const std::string& value) {
  const std::string end = LineEnd();
  const int header = FindSection(section);
  if (header < 0) {
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
    lines_.push_back({"[" + section + "]", end});
    lines_.push_back({key + "=" + value, end});
    return;
  }
  std::size_t insertAfter = static_cast<std::size_t>(header);
  for (std::size_t i = insertAfter + 1; i < lines_.size(); ++i) {
    const Parsed p = Parse(lines_[i].text);
    if (p.kind == Kind::Section) break;
    if (p.kind != Kind::Key) continue;
    if (SameName(p.name, key)) {
      lines_[i].text = lines_[i].text.substr(0, p.valueStart) + value;
      return;
    }
    insertAfter = i;
  }
  if (lines_[insertAfter].end.empty()) lines_[insertAfter].end = end;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1, Line{key + "=" + value, end});
}

void TIniLines::EraseSection(const std::string& section) {
  std::vector<Line> kept;
  bool erasing = false;
  for (Line& line : lines_) {
    const Parsed p = Parse(line.text);
    if (p.kind == Kind::Section) erasing = SameName(p.name, section);
    if (!erasing) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

bool TIniLines::SectionExists(const std::string& section) const { return FindSection(section) >= 0; }

std::vector<std::string> TIniLines::Keys(const std::string& section) const {
  std::vector<std::string> keys;
  const int header = FindSection(section);
  if (header < 0) return keys;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
    const Parsed p = Parse(lines_[i].text);
    if (p.kind == Kind::Section) break;
    if (p.kind == Kind::Key) keys.push_back(p.name);
  }
  return keys;
}

std::vector<std::string> TIniLines::Sections() const {
  std::vector<std::string> sections;
  for (const Line& line : lines_) {
    const Parsed p = Parse(line.text);
    if (p.kind == Kind::Section) sections.push_back(p.name);
  }
  return sections;
}
