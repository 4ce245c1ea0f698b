#pragma once

#include <string>

class QPlainTextEdit;

/// The lines of a memo, top line at index 0, read and changed like a
/// string list. Every line but possibly the last ends with a line break; a
/// line break at the very end opens no further line, so an empty memo holds
/// no lines and a memo of one empty line holds one.
class TMemoLines {
 public:
  /// The lines of an edit (framework use only: TMemo makes its own).
  explicit TMemoLines(QPlainTextEdit* edit) : edit_(edit) {}
  TMemoLines(const TMemoLines&) = delete;
  TMemoLines& operator=(const TMemoLines&) = delete;

  int Count() const;
  /// The line at an index, without its line break; raises EStringListError
  /// outside the lines.
  std::string Strings(int index) const;
  std::string operator[](int index) const { return Strings(index); }
  /// Puts a line at an index (0 to Count); raises EStringListError outside.
  void Insert(int index, const std::string& text);
  /// Adds a line at the bottom; its index.
  int Add(const std::string& text);
  /// Takes out the line at an index with its line break; raises
  /// EStringListError outside the lines.
  void Delete(int index);
  void Clear();
  /// Every line followed by CR LF.
  std::string Text() const;

 private:
  void CheckIndex(int index, int limit) const;

  QPlainTextEdit* edit_;
};
