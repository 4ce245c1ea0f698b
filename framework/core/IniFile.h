#pragma once

#include <functional>
#include <optional>
#include <string>

#include "framework/core/Object.h"

class TIniLines;
class TStringList;

/// A settings file in the INI text format, reached by its drive path.
///
/// A line "[name]" opens a section; a line "key=value" gives a value. Section
/// and key names are matched without regard to case; blanks around a value
/// are dropped, and a value in a pair of single or double quotes loses them;
/// a value reads as at most 2,047 characters. Lines starting with ";" are
/// comments. The first section of a name, and its first key of a name, count.
/// A UTF-8 byte-order mark at the start is skipped when reading and kept.
///
/// Every read reads the file afresh, so another program's changes show.
/// Every write goes to the file at once and whole (written beside it, then
/// put in its place; through a symbolic link to its target), so no reader
/// ever sees it half written; everything but the changed lines stays byte for
/// byte. A write the system refuses raises Exception "Unable to write to
/// <file name>" and leaves the file unchanged.
class TIniFile : public TObject {
 public:
  explicit TIniFile(std::string fileName);
  ~TIniFile() override;

  const std::string& FileName() const { return fileName_; }

  /// The value, or `defaultValue` when the file, the section or the key is missing.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  /// The value as an integer: leading blanks, an optional sign, decimal, or
  /// hexadecimal after $, x or 0x (x in either case); anything else, or a
  /// missing key, gives `defaultValue`.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  /// An integer value; 0 is false, any other number true.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  /// Writes the value: replaces the key's line, or adds the key after the
  /// section's last key, or opens the section anew at the end of the file.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  /// Signed decimal text.
  void WriteInteger(const std::string& section, const std::string& key, int value);
  /// "1" or "0".
  void WriteBool(const std::string& section, const std::string& key, bool value);

  /// Removes the section, its header, keys and comments, up to the next section.
  void EraseSection(const std::string& section);
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  /// Replaces `keys` by the section's key names, in file order.
  void ReadSection(const std::string& section, TStringList* keys) const;
  /// Replaces `sections` by the file's section names, in file order.
  void ReadSections(TStringList* sections) const;
  /// Every write has reached the file already; kept for callers that flush.
  virtual void UpdateFile() {}

 protected:
  /// The file's text, or nothing when it cannot be read (or is missing).
  virtual std::optional<std::string> Load() const;
  /// Puts a changed text in the file's place; raises Exception "Unable to
  /// write to <file name>" when the system refuses.
  virtual void Store(const std::string& contents);

 private:
  std::string Contents() const;
  /// Applies a change to the lines and stores the text when it changed.
  void Change(const std::function<void(TIniLines&)>& change);
  /// Whether the file is there at all, readable or not.
  bool Exists() const;

  std::string fileName_;
};
