#pragma once

#include <string>
#include <vector>

namespace platform {
class Console;
}

/// The byte viewer: shows one file as raw characters on the console, a page
/// of 19 rows at a time, until the file ends or the user presses Esc.
class ByteViewer {
 public:
  explicit ByteViewer(platform::Console& console) : console_(console) {}

  /// Writes `text` at a column and row in the given console colours; column
  /// -10 centres the text on an 80-column line. Where no column fits (79
  /// characters or more) the text is written where the cursor stands.
  void PrintAt(int column, int row, const std::string& text, int foreground, int background);
  /// Clears the screen, asks for the file's name and reads it into TargetFile.
  void AskFileName();
  /// Whether TargetFile names a file; when it does not, shows the not-found
  /// message and waits for a key.
  bool CheckFile();
  /// Clears the screen and pages through TargetFile.
  void PageFile();
  /// The program's course, given the command line's arguments (the first is
  /// the program's name); always 0.
  int Main(const std::vector<std::string>& arguments);

  /// The name of the file to show, kept whole however long it is: as given
  /// on the command line or typed, a drive path or a host path.
  std::string TargetFile;

 private:
  platform::Console& console_;
};
