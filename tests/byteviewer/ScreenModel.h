#pragma once

#include <deque>
#include <string>

#include "platform/console/Console.h"

/// A console window of 80 by 25 cells that behaves as a text console does:
/// standard output in light grey on black with LF as CR LF, a character in
/// the last column moving the cursor to the next row, scrolling at the
/// bottom. Keys and the typed word are scripted; the bytes sent to standard
/// output are recorded.
class ScreenModel : public platform::Console {
 public:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 25;
  struct Cell {
    char character = ' ';
    int foreground = 7;
    int background = 0;
  };

  void Clear() override;
  void SetColours(int foreground, int background) override;
  void PlaceCursor(int column, int row) override;
  int CursorRow() override { return row_; }
  void Write(const std::string& text) override;
  int ReadKey() override;
  int ReadKeyWithin(int milliseconds) override;
  void DeleteLine() override;
  void StandardOutput(const std::string& bytes) override;
  std::string ReadWord() override { return word; }

  /// The text of a row, trailing blanks removed.
  std::string Row(int row) const;
  const Cell& At(int column, int row) const { return cells_[row - 1][column - 1]; }
  int CursorColumn() const { return column_; }

  std::deque<int> keys;        ///< the keys still to come; a read past them fails the test
  std::string word;            ///< what standard input gives
  int keysRead = 0;            ///< how many keys were read
  std::string standardOutput;  ///< every byte written to standard output

 private:
  void Put(char character, int foreground, int background);
  void NextRow();
  Cell cells_[kRows][kColumns];
  int column_ = 1;
  int row_ = 1;
  int foreground_ = 7;
  int background_ = 0;
};
