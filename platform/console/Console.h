#pragma once

#include <string>

namespace platform {

/// The console a text-mode program talks to: a window of character cells
/// with a cursor, direct output in chosen colours, keys read one at a time,
/// and the process's standard output and input. Colours are the sixteen
/// console colour numbers (0 black, 1 blue, 2 green, 3 cyan, 4 red,
/// 5 magenta, 6 brown, 7 light grey, 8 dark grey, 9 to 15 their bright forms,
/// 14 yellow, 15 white). Rows and columns count from 1.
class Console {
 public:
  virtual ~Console() = default;

  /// Fills the window with blanks in the direct-output colours and puts the
  /// cursor at column 1, row 1.
  virtual void Clear() = 0;
  /// The colours of the following direct output and clearing; standard
  /// output keeps its own.
  virtual void SetColours(int foreground, int background) = 0;
  /// Places the cursor; a position outside the window leaves it where it is.
  virtual void PlaceCursor(int column, int row) = 0;
  /// The row the cursor stands on.
  virtual int CursorRow() = 0;
  /// Writes text at the cursor in the direct-output colours: LF moves one row
  /// down in the same column, CR to column 1, BS one column left, BEL sounds.
  virtual void Write(const std::string& text) = 0;
  /// Waits for one key and gives its character, without echo. A key without
  /// a character (function, arrow, editing keys) gives 0, and the next call
  /// gives its second code at once (F1 59 ... F10 68, F11 133, F12 134,
  /// Home 71, Up 72, PgUp 73, Left 75, Right 77, End 79, Down 80, PgDn 81,
  /// Ins 82, Del 83).
  virtual int ReadKey() = 0;
  /// As ReadKey, waiting at most `milliseconds`: -1 when no key came.
  virtual int ReadKeyWithin(int milliseconds) = 0;
  /// Removes the cursor's row: the rows below move up, the last becomes blank.
  virtual void DeleteLine() = 0;
  /// Writes bytes to standard output in text mode: each LF reaches the
  /// console as CR LF, every other byte as it is.
  virtual void StandardOutput(const std::string& bytes) = 0;
  /// Reads one word from standard input, as typed and echoed a line at a
  /// time: leading white space is skipped, the word ends at a blank, tab or
  /// line end. Empty at the end of the input.
  virtual std::string ReadWord() = 0;
};

}  // namespace platform
