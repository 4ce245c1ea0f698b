#pragma once

#include <sys/types.h>
#include <functional>
#include <string>
#include <vector>

struct VTerm;
struct VTermScreen;

/// A pseudo-terminal whose screen a terminal emulator keeps: a program runs
/// on it as its controlling terminal, the test types keys and reads the
/// screen's cells. The emulator answers the program's reports (the cursor's
/// position) as a terminal would.
class VirtualTerminal {
 public:
  VirtualTerminal(int columns, int rows);
  ~VirtualTerminal();
  VirtualTerminal(const VirtualTerminal&) = delete;
  VirtualTerminal& operator=(const VirtualTerminal&) = delete;

  /// Starts a program with these arguments (the first is its path).
  void Start(const std::vector<std::string>& arguments);
  /// Sends bytes as typed on the keyboard.
  void Type(const std::string& bytes);
  /// Reads the program's output until `done` holds; false after the timeout.
  bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);
  /// Waits until the screen shows `text` somewhere.
  bool WaitForText(const std::string& text, int timeoutMs = 10000);
  /// Reads the program's output for a while, for what must not appear.
  void Settle(int milliseconds);
  /// Waits for the program's end: its exit code, -1 if it did not end or was killed.
  int WaitForExit(int timeoutMs = 10000);

  /// The text of a row (from 1), trailing blanks removed.
  std::string Row(int row) const;
  /// The whole screen, rows joined by LF.
  std::string Screen() const;
  /// A cell's colours as palette indices (0 to 15); -1 for the default colour.
  int Foreground(int column, int row) const;
  int Background(int column, int row) const;
  int CursorRow() const;
  int CursorColumn() const;

 private:
  void Pump(int timeoutMs);
  void Feed(std::string bytes);
  static void Reply(const char* bytes, std::size_t length, void* user);

  int columns_;
  int rows_;
  VTerm* vterm_ = nullptr;
  VTermScreen* screen_ = nullptr;
  int master_ = -1;
  pid_t child_ = -1;
  int exitCode_ = -2;  // -2 while running
  std::string held_;   // the start of a UTF-8 sequence the last read cut short
};
