#include "framework/core/IniFile.h"

#include "framework/core/Exception.h"
#include "framework/core/IniLines.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "platform/files/FileIO.h"
#include "platform/files/FileReplacement.h"
#include "platform/files/Find.h"

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

std::optional<std::string> TIniFile::Load() const { return platform::ReadWholeFile(fileName_); }

std::string TIniFile::Contents() const { return Load().value_or(std::string()); }

void TIniFile::Store(const std::string& contents) {
  if (!platform::ReplaceFileContents(fileName_, contents)) throw Exception("Unable to write to " + fileName_);
}

void TIniFile::Change(const std::function<void(TIniLines&)>& change) {
  const auto old = Load();
  // A file that exists but cannot be read must not be replaced by what is
  // changed of it.
  if (!old && Exists()) throw Exception("Unable to write to " + fileName_);
  TIniLines lines(old.value_or(std::string()));
  change(lines);
  const std::string contents = lines.Text();
  if (old && contents == *old) return;
  Store(contents);
}

bool TIniFile::Exists() const {
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA(fileName_, FILE_ATTRIBUTE_ANY, data);
  if (search == nullptr) return false;
  FindClose(search);
  return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const auto raw = TIniLines(Contents()).Find(section, key);
  return raw ? TIniLines::CleanValue(*raw) : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  const auto raw = TIniLines(Contents()).Find(section, key);
  return raw ? StrToIntDef(TIniLines::CleanValue(*raw), defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  Change([&](TIniLines& lines) { lines.Write(section, key, value); });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  // Erasing from a file that cannot be read changes nothing.
  if (!Load()) return;
  Change([&](TIniLines& lines) { lines.EraseSection(section); });
}

bool TIniFile::SectionExists(const std::string& section) const { return TIniLines(Contents()).SectionExists(section); }

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return TIniLines(Contents()).Find(section, key).has_value();
}

void TIniFile::ReadSection(const std::string& section, TStringList* keys) const {
  keys->Clear();
  for (const std::string& key : TIniLines(Contents()).Keys(section)) keys->Add(key);
}

void TIniFile::ReadSections(TStringList* sections) const {
  sections->Clear();
  for (const std::string& section : TIniLines(Contents()).Sections()) sections->Add(section);
}
