#pragma once

#include <optional>
#include <string>
#include <vector>

/// The text of an INI file as lines, changed line by line: what TIniFile and
/// TMemIniFile read and write. Joining the lines gives the text back byte for
/// byte, a UTF-8 byte-order mark at its start included; the mark is no part
/// of the first line, so the first section is found behind it.
///
/// A line "[name]" opens a section; a line "key=value" gives a value; lines
/// starting with ";" are comments. Section and key names are matched without
/// regard to case; the first section of a name, and its first key of a name,
/// count.
class TIniLines {
 public:
  explicit TIniLines(const std::string& text);

  /// The text of a key's value as it stands after its "=", or nothing.
  std::optional<std::string> Find(const std::string& section, const std::string& key) const;
  /// Replaces the key's value, or adds the key after the section's last key,
  /// or opens the section anew at the end. New lines take the text's own
  /// line ends (CR LF in a new text).
  void Write(const std::string& section, const std::string& key, const std::string& value);
  /// Removes every section of that name, its header, keys and comments, up
  /// to the next section.
  void EraseSection(const std::string& section);
  bool SectionExists(const std::string& section) const;
  /// The section's key names, in text order.
  std::vector<std::string> Keys(const std::string& section) const;
  /// The section names, in text order.
  std::vector<std::string> Sections() const;
  /// The lines joined again.
  std::string Text() const;

  /// A value as it reads: blanks around it dropped, one pair of enclosing
  /// single or double quotes removed, at most 2,047 characters.
  static std::string CleanValue(const std::string& raw);

 private:
  // One line: its text and the line end after it ("\r\n", "\n" or nothing
  // for a last line without one).
  struct Line {
    std::string text;
    std::string end;
  };
  int FindSection(const std::string& section) const;
  std::string LineEnd() const;

  std::string mark_;  // the byte-order mark, or empty
  std::vector<Line> lines_;
};
