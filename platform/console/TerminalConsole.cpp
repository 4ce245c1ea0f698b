#include "platform/console/TerminalConsole.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>

#include "platform/console/CodePage437.h"

namespace platform {

namespace {

// How long the rest of an escape sequence may take to arrive after ESC: a
// lone ESC is the Esc key.
constexpr int kSequenceWaitMs = 50;
// How long the terminal may take to report the cursor's position.
constexpr int kReportWaitMs = 1000;

// What the signal handler and the exit handler need to put the terminal back.
struct SavedTerminal {
  int fd = -1;
  termios settings{};
  volatile sig_atomic_t active = 0;
};
SavedTerminal saved;

void RestoreTerminal() {
  if (!saved.active) return;
  saved.active = 0;
  ::tcsetattr(saved.fd, TCSANOW, &saved.settings);
  static const char reset[] = "\x1b[0m";
  [[maybe_unused]] ssize_t n = ::write(saved.fd, reset, sizeof reset - 1);
}

void OnEndingSignal(int signal) {
  RestoreTerminal();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nowhere to write to: the output is lost, as on a closed console
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

// Appends one byte so that the terminal shows it and is not commanded by it;
// `kept` says which control bytes go through as themselves. A C1 control
// written in UTF-8 (C2 80 to C2 9F) would be a command to some terminals, so
// its second byte becomes BF and the pair shows as an inverted question mark.
void AppendShown(std::string& out, unsigned char byte, bool kept, bool& afterC2) {
  const bool c1 = afterC2 && byte >= 0x80 && byte <= 0x9F;
  afterC2 = byte == 0xC2;
  if (c1) {
    out += '\xBF';
  } else if (byte == 0x7F || (byte < 32 && !kept)) {
    out += CodePage437Glyph(byte);
  } else {
    out += static_cast<char>(byte);
  }
}

// The terminal's colour parameters for a console colour number: the console
// numbers blue 1 and red 4 the other way round, and 8 makes a colour bright.
std::string ColourParameter(int colour, bool background) {
  colour &= 15;
  const int ansi = (colour & 2) | ((colour & 1) << 2) | ((colour & 4) >> 2);
  const int base = (colour & 8) ? (background ? 100 : 90) : (background ? 40 : 30);
  return std::to_string(base + ansi);
}

// The length of the escape sequence at the start of `in` (ESC [ ... final,
// ESC O x, or the Linux console's ESC [ [ x); 0 while it is not complete.
std::size_t SequenceLength(const std::string& in) {
  if (in.size() < 3) return 0;
  if (in[1] == 'O') return 3;
  if (in[2] == '[') return in.size() >= 4 ? 4 : 0;
  for (std::size_t i = 2; i < in.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    if (c >= 0x40 && c <= 0x7E) return i + 1;
    if (c < 0x20 || c > 0x3F) return i + 1;  // not a sequence after all: taken as one unknown key
    if (i >= 32) return i + 1;
  }
  return 0;
}

// The second code of the key an escape sequence stands for; 0 for keys the
// table does not know.
int KeyCode(const std::string& sequence) {
  const char final = sequence.back();
  if (sequence[1] == '[' && sequence.size() == 4 && sequence[2] == '[') {
    return final >= 'A' && final <= 'E' ? 59 + (final - 'A') : 0;  // F1 to F5
  }
  switch (final) {
    case 'A': return 72;
    case 'B': return 80;
    case 'C': return 77;
    case 'D': return 75;
    case 'H': return 71;
    case 'F': return 79;
    case 'P': return 59;
    case 'Q': return 60;
    case 'R': return 61;
    case 'S': return 62;
    case 'Z': return 15;
    case '~': break;
    default: return 0;
  }
  const int number = std::atoi(sequence.c_str() + 2);
  switch (number) {
    case 1:
    case 7: return 71;
    case 2: return 82;
    case 3: return 83;
    case 4:
    case 8: return 79;
    case 5: return 73;
    case 6: return 81;
    case 23: return 133;
    case 24: return 134;
    default: break;
  }
  if (number >= 11 && number <= 15) return 59 + (number - 11);
  if (number >= 17 && number <= 21) return 64 + (number - 17);
  return 0;
}

// Finds a cursor position report (ESC [ row ; column R) in `in`: its row,
// with the report taken out; 0 when there is none yet.
int TakeCursorReport(std::string& in) {
  for (std::size_t start = in.find("\x1b["); start != std::string::npos; start = in.find("\x1b[", start + 1)) {
    std::size_t i = start + 2;
    int row = 0;
    std::size_t digits = 0;
    while (i < in.size() && in[i] >= '0' && in[i] <= '9') row = row * 10 + (in[i++] - '0'), ++digits;
    if (digits == 0 || i >= in.size() || in[i] != ';') continue;
    ++i;
    digits = 0;
    while (i < in.size() && in[i] >= '0' && in[i] <= '9') ++i, ++digits;
    if (digits == 0 || i >= in.size() || in[i] != 'R') continue;
    in.erase(start, i + 1 - start);
    return row;
  }
  return 0;
}

// The terminal's settings for reading keys one at a time without echo;
// Ctrl+C still interrupts. Output keeps its processing, so every LF reaches
// the screen as CR LF.
termios KeyMode(termios settings) {
  settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
  settings.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON);
  settings.c_oflag |= OPOST | ONLCR;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  return settings;
}

bool IsWordSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

TerminalConsole::TerminalConsole() {
  // The controlling terminal stands for the console, whatever standard input
  // and output were redirected to.
  const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd >= 0) {
    in_ = out_ = fd;
    ownTerminal_ = true;
  }
  outputIsTerminal_ = ::isatty(1) == 1;
  ::signal(SIGPIPE, SIG_IGN);
  termios settings{};
  if (::isatty(in_) != 1 || ::tcgetattr(in_, &settings) != 0) return;
  saved.fd = in_;
  saved.settings = settings;
  saved.active = 1;
  static bool handlersInstalled = false;
  if (!handlersInstalled) {
    handlersInstalled = true;
    std::atexit(RestoreTerminal);
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) ::sigaction(signal, &action, nullptr);
  }
  const termios keys = KeyMode(settings);
  terminal_ = ::tcsetattr(in_, TCSANOW, &keys) == 0;
}

TerminalConsole::~TerminalConsole() {
  Flush();
  RestoreTerminal();
  if (ownTerminal_) ::close(in_);
}

void TerminalConsole::Flush() {
  if (pending_.empty()) return;
  WriteAll(1, pending_.data(), pending_.size());
  pending_.clear();
}

void TerminalConsole::Send(const std::string& bytes) {
  Flush();
  WriteAll(out_, bytes.data(), bytes.size());
}

std::string TerminalConsole::Colours() const {
  return "\x1b[0;" + ColourParameter(foreground_, false) + ";" + ColourParameter(background_, true) + "m";
}

void TerminalConsole::WindowSize(int& columns, int& rows) const {
  winsize size{};
  if (::ioctl(out_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    columns = size.ws_col;
    rows = size.ws_row;
  } else {
    columns = 80;
    rows = 25;
  }
}

void TerminalConsole::Clear() { Send(Colours() + "\x1b[2J\x1b[H\x1b[0m"); }

void TerminalConsole::SetColours(int foreground, int background) {
  foreground_ = foreground;
  background_ = background;
}

void TerminalConsole::PlaceCursor(int column, int row) {
  int columns = 0;
  int rows = 0;
  WindowSize(columns, rows);
  if (column < 1 || row < 1 || column > columns || row > rows) return;
  Send("\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H");
}

int TerminalConsole::CursorRow() {
  int columns = 0;
  int rows = 0;
  WindowSize(columns, rows);
  if (!terminal_) return rows;
  Send("\x1b[6n");
  // Keys typed meanwhile stay in input_ for ReadKey.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReportWaitMs);
  for (;;) {
    if (const int row = TakeCursorReport(input_); row > 0) return row;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0 || !Fill(static_cast<int>(left))) break;
  }
  // A terminal that does not report: the bottom row, where the cursor of a
  // program that pages ends up.
  return rows;
}

void TerminalConsole::Write(const std::string& text) {
  std::string out = Colours();
  bool afterC2 = false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    // LF goes one row down in the same column: the terminal's index, which
    // scrolls at the bottom as the console does.
    if (byte == '\n') {
      out +=
          "\x1b"
          "D";
      afterC2 = false;
    } else {
      AppendShown(out, byte, byte == '\r' || byte == '\b' || byte == '\a', afterC2);
    }
  }
  Send(out + "\x1b[0m");
}

bool TerminalConsole::Fill(int timeoutMs) {
  if (inputEnded_) return false;
  pollfd ready{in_, POLLIN, 0};
  int polled = 0;
  do {
    polled = ::poll(&ready, 1, timeoutMs);
  } while (polled < 0 && errno == EINTR);
  if (polled <= 0) return false;
  char buffer[256];
  ssize_t n = 0;
  do {
    n = ::read(in_, buffer, sizeof buffer);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    inputEnded_ = true;
    return false;
  }
  input_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

int TerminalConsole::ReadKey() { return ReadKeyWithin(-1); }

int TerminalConsole::ReadKeyWithin(int milliseconds) {
  if (secondCode_ >= 0) {
    const int code = secondCode_;
    secondCode_ = -1;
    return code;
  }
  Flush();
  // With no keyboard left to read, Esc: every wait for a key ends and the
  // program runs to its end.
  if (input_.empty() && !Fill(milliseconds)) return inputEnded_ ? 27 : -1;
  const auto first = static_cast<unsigned char>(input_[0]);
  if (first == 0x1b) {
    if (input_.size() < 2) Fill(kSequenceWaitMs);
    if (input_.size() >= 2 && (input_[1] == '[' || input_[1] == 'O')) {
      std::size_t length = SequenceLength(input_);
      while (length == 0 && Fill(kSequenceWaitMs)) length = SequenceLength(input_);
      if (length > 0) {
        secondCode_ = KeyCode(input_.substr(0, length));
        input_.erase(0, length);
        return 0;
      }
    }
    input_.erase(0, 1);
    return 27;
  }
  std::size_t length = 1;
  if (first >= 0xC0) {
    // One typed character in UTF-8 is one key; the key gives its first byte.
    length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    while (input_.size() < length && Fill(kSequenceWaitMs)) {
    }
    length = std::min(length, input_.size());
  }
  input_.erase(0, length);
  return first == 0x7F ? 8 : first;  // the terminal's Backspace is DEL
}

void TerminalConsole::DeleteLine() { Send(Colours() + "\x1b[M\x1b[0m"); }

void TerminalConsole::StandardOutput(const std::string& bytes) {
  if (!outputIsTerminal_) {
    pending_ += bytes;
  } else {
    // Every byte takes one cell, as on a text console: a terminal would read
    // bytes from 128 up as UTF-8 and merge or drop them.
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '\a' || byte == '\b' || byte == '\t' || byte == '\n' || byte == '\r') {
        pending_ += c;
      } else {
        pending_ += CodePage437Glyph(byte);
      }
    }
  }
  if (pending_.size() >= 65536) Flush();
}

std::string TerminalConsole::ReadWord() {
  Flush();
  // A line at a time with echo, as the terminal normally reads.
  const bool cooked = terminal_ && ::isatty(0) == 1;
  if (cooked) {
    termios line = saved.settings;
    line.c_lflag |= ICANON | ECHO;
    line.c_iflag |= ICRNL;
    ::tcsetattr(in_, TCSANOW, &line);
  }
  std::string word;
  for (;;) {
    if (wordInput_.empty()) {
      char buffer[4096];
      ssize_t n = 0;
      do {
        n = ::read(0, buffer, sizeof buffer);
      } while (n < 0 && errno == EINTR);
      if (n <= 0) break;
      wordInput_.append(buffer, static_cast<std::size_t>(n));
    }
    std::size_t i = 0;
    if (word.empty()) {
      while (i < wordInput_.size() && IsWordSpace(wordInput_[i])) ++i;
    }
    const std::size_t start = i;
    while (i < wordInput_.size() && !IsWordSpace(wordInput_[i])) ++i;
    word.append(wordInput_, start, i - start);
    const bool ended = i < wordInput_.size();
    wordInput_.erase(0, i);
    if (ended && !word.empty()) break;
  }
  if (cooked) {
    const termios keys = KeyMode(saved.settings);
    ::tcsetattr(in_, TCSANOW, &keys);
  }
  return word;
}

}  // namespace platform
