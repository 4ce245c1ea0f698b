#include "tests/byteviewer/VirtualTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vterm.h>
#include <chrono>
#include <csignal>
#include <cstdlib>

namespace {

std::string Utf8(uint32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace

VirtualTerminal::VirtualTerminal(int columns, int rows) : columns_(columns), rows_(rows) {
  vterm_ = vterm_new(rows, columns);
  vterm_set_utf8(vterm_, 1);
  vterm_output_set_callback(vterm_, &VirtualTerminal::Reply, this);
  screen_ = vterm_obtain_screen(vterm_);
  vterm_screen_reset(screen_, 1);
}

VirtualTerminal::~VirtualTerminal() {
  if (child_ > 0 && exitCode_ == -2) {
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
  }
  if (master_ >= 0) ::close(master_);
  vterm_free(vterm_);
}

void VirtualTerminal::Reply(const char* bytes, std::size_t length, void* user) {
  auto* self = static_cast<VirtualTerminal*>(user);
  if (self->master_ >= 0) [[maybe_unused]]
    ssize_t n = ::write(self->master_, bytes, length);
}

void VirtualTerminal::Start(const std::vector<std::string>& arguments) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) std::abort();
  const std::string slave = ::ptsname(master_);
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns_);
  size.ws_row = static_cast<unsigned short>(rows_);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  child_ = ::fork();
  if (child_ == 0) {
    // A new session whose controlling terminal is the pseudo-terminal.
    ::setsid();
    const int fd = ::open(slave.c_str(), O_RDWR);
    if (fd < 0) ::_exit(127);
    ::ioctl(fd, TIOCSCTTY, 0);
    ::ioctl(fd, TIOCSWINSZ, &size);
    ::dup2(fd, 0);
    ::dup2(fd, 1);
    ::dup2(fd, 2);
    if (fd > 2) ::close(fd);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
}

void VirtualTerminal::Type(const std::string& bytes) {
  [[maybe_unused]] ssize_t n = ::write(master_, bytes.data(), bytes.size());
}

void VirtualTerminal::Feed(std::string bytes) {
  // The emulator makes two replacement characters of a UTF-8 sequence split
  // between two reads, so an incomplete last sequence waits for the next.
  bytes.insert(0, held_);
  held_.clear();
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((c & 0xC0) == 0x80) continue;
    const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length > back) {
      held_ = bytes.substr(bytes.size() - back);
      bytes.resize(bytes.size() - back);
    }
    break;
  }
  vterm_input_write(vterm_, bytes.data(), bytes.size());
}

void VirtualTerminal::Pump(int timeoutMs) {
  pollfd ready{master_, POLLIN, 0};
  if (::poll(&ready, 1, timeoutMs) > 0) {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) Feed(std::string(buffer, static_cast<std::size_t>(n)));
    if (n <= 0) ::usleep(10000);  // the program has closed the terminal
  }
  if (exitCode_ == -2) {
    int status = 0;
    if (::waitpid(child_, &status, WNOHANG) == child_) exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
}

bool VirtualTerminal::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Pump(20);
  }
  return true;
}

bool VirtualTerminal::WaitForText(const std::string& text, int timeoutMs) {
  return WaitUntil([&] { return Screen().find(text) != std::string::npos; }, timeoutMs);
}

void VirtualTerminal::Settle(int milliseconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < deadline) Pump(10);
}

int VirtualTerminal::WaitForExit(int timeoutMs) {
  WaitUntil([&] { return exitCode_ != -2; }, timeoutMs);
  Settle(50);  // what it wrote last
  return exitCode_ == -2 ? -1 : exitCode_;
}

std::string VirtualTerminal::Row(int row) const {
  std::string text;
  for (int column = 0; column < columns_; ++column) {
    VTermScreenCell cell{};
    vterm_screen_get_cell(screen_, VTermPos{row - 1, column}, &cell);
    text += cell.chars[0] ? Utf8(cell.chars[0]) : " ";
  }
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string VirtualTerminal::Screen() const {
  std::string text;
  for (int row = 1; row <= rows_; ++row) text += Row(row) + "\n";
  return text;
}

int VirtualTerminal::Foreground(int column, int row) const {
  VTermScreenCell cell{};
  vterm_screen_get_cell(screen_, VTermPos{row - 1, column - 1}, &cell);
  if (VTERM_COLOR_IS_DEFAULT_FG(&cell.fg) || !VTERM_COLOR_IS_INDEXED(&cell.fg)) return -1;
  return cell.fg.indexed.idx;
}

int VirtualTerminal::Background(int column, int row) const {
  VTermScreenCell cell{};
  vterm_screen_get_cell(screen_, VTermPos{row - 1, column - 1}, &cell);
  if (VTERM_COLOR_IS_DEFAULT_BG(&cell.bg) || !VTERM_COLOR_IS_INDEXED(&cell.bg)) return -1;
  return cell.bg.indexed.idx;
}

int VirtualTerminal::CursorRow() const {
  VTermPos position{};
  vterm_state_get_cursorpos(vterm_obtain_state(vterm_), &position);
  return position.row + 1;
}

int VirtualTerminal::CursorColumn() const {
  VTermPos position{};
  vterm_state_get_cursorpos(vterm_obtain_state(vterm_), &position);
  return position.col + 1;
}
