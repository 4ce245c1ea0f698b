#pragma once

#include <string>

#include "platform/console/Console.h"

namespace platform {

/// The console of a program run in a terminal: the process's controlling
/// terminal (standard input and output when it has none) is its window,
/// driven by the terminal's escape sequences; keys are read raw, without
/// echo, while the object lives. The terminal's settings come back when it
/// goes, when the process exits and when a signal ends the process. One at a
/// time.
///
/// Standard output is file descriptor 1; when it is a terminal, every byte but
/// BEL, BS, TAB, LF and CR is drawn as the glyph a code page 437 text console
/// shows for it, one cell each, so no file's bytes can drive the terminal,
/// answer for the keyboard or merge into other characters. Redirected output
/// gets the bytes unchanged.
class TerminalConsole : public Console {
 public:
  TerminalConsole();
  ~TerminalConsole() override;
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  void Clear() override;
  void SetColours(int foreground, int background) override;
  void PlaceCursor(int column, int row) override;
  int CursorRow() override;
  void Write(const std::string& text) override;
  int ReadKey() override;
  int ReadKeyWithin(int milliseconds) override;
  void DeleteLine() override;
  void StandardOutput(const std::string& bytes) override;
  std::string ReadWord() override;

 private:
  void Flush();
  void Send(const std::string& bytes);
  bool Fill(int timeoutMs);
  std::string Colours() const;
  void WindowSize(int& columns, int& rows) const;

  int in_ = 0;   // the terminal, for keys and cursor reports
  int out_ = 1;  // the terminal, for direct output
  bool ownTerminal_ = false;
  bool terminal_ = false;  // in_ is a terminal and is in key mode
  bool outputIsTerminal_ = false;
  int foreground_ = 7;
  int background_ = 0;
  int secondCode_ = -1;  // the second code of a key without a character
  bool inputEnded_ = false;
  std::string input_;      // bytes read from the terminal, not yet taken
  std::string pending_;    // standard output not yet written
  std::string wordInput_;  // standard input read, not yet taken
};

}  // namespace platform
