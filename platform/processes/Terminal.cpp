#include "platform/processes/Terminal.h"

#include <fcntl.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>

#include "platform/files/HostFiles.h"
#include "platform/libraries/ElfNeeded.h"

namespace platform {

namespace {

bool IsGuiLibrary(const std::string& name) {
  const auto starts = [&](const char* prefix) { return name.compare(0, std::strlen(prefix), prefix) == 0; };
  if (starts("libQt")) {
    return name.find("Gui") != std::string::npos || name.find("Widgets") != std::string::npos ||
           name.find("Quick") != std::string::npos;
  }
  static const char* const kPrefixes[] = {
      "libgtk", "libgdk-",  "libX11.", "libX11-xcb.", "libxcb.",        "libwayland-client.",
      "libSDL", "libglfw.", "libfltk", "libwx_gtk",   "libsfml-window", "libadwaita-"};
  for (const char* prefix : kPrefixes)
    if (starts(prefix)) return true;
  return false;
}

// A program named by path, or looked up in PATH.
std::optional<std::string> FindInPath(const std::string& name) {
  if (name.find('/') != std::string::npos) {
    if (IsExecutableHostFile(name)) return name;
    return std::nullopt;
  }
  return FindInExecutablePath(name);
}

bool IsPlainPath(const std::string& path) {
  for (const char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::strchr("/._+-", c) != nullptr;
    if (!plain) return false;
  }
  return true;
}

// Single quotes keep every byte but the single quote itself, which is written
// as '\'' ; lxterminal splits such a string without running a shell.
std::string SingleQuoted(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& word : words) {
    if (!out.empty()) out += ' ';
    out += '\'';
    for (const char c : word) {
      if (c == '\'')
        out += "'\\''";
      else
        out += c;
    }
    out += '\'';
  }
  return out;
}

enum class Style { DashE, DoubleDash, DashX, XfceDashX, CommandString, Direct };

struct KnownTerminal {
  const char* name;
  Style style;
  bool takesLoneArgumentAsCommand;
};

constexpr KnownTerminal kTerminals[] = {
    {"x-terminal-emulator", Style::DashE, true},
    {"gnome-terminal", Style::DoubleDash, false},
    {"konsole", Style::DashE, true},
    {"xfce4-terminal", Style::XfceDashX, false},
    {"mate-terminal", Style::DashX, false},
    {"lxterminal", Style::CommandString, false},
    {"kitty", Style::Direct, false},
    {"alacritty", Style::DashE, false},
    {"xterm", Style::DashE, true},
};

std::vector<std::string> Build(const std::string& terminal, Style style, const std::vector<std::string>& program) {
  std::vector<std::string> argv{terminal};
  switch (style) {
    case Style::DashE: argv.push_back("-e"); break;
    case Style::DoubleDash: argv.push_back("--"); break;
    case Style::DashX: argv.push_back("-x"); break;
    case Style::XfceDashX:
      argv.push_back("--disable-server");
      argv.push_back("-x");
      break;
    case Style::CommandString: argv.push_back("--command=" + SingleQuoted(program)); return argv;
    case Style::Direct: break;
  }
  argv.insert(argv.end(), program.begin(), program.end());
  return argv;
}

}  // namespace

bool IsConsoleProgram(const std::string& hostPath) {
  char head[4] = {};
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const ssize_t n = ::read(fd, head, sizeof head);
  ::close(fd);
  if (n >= 2 && head[0] == '#' && head[1] == '!') return true;
  if (n < 4 || std::memcmp(head,
                           "\x7f"
                           "ELF",
                           4) != 0)
    return false;
  const auto needed = ElfNeededLibraries(hostPath);
  if (!needed) return false;
  for (const std::string& library : *needed)
    if (IsGuiLibrary(library)) return false;
  return true;
}

std::optional<std::vector<std::string>> TerminalArguments(const std::vector<std::string>& program,
                                                          std::string& reason) {
  const char* chosen = std::getenv("PELLIX_TERMINAL");
  if (chosen != nullptr && *chosen != '\0') {
    if (const auto terminal = FindInPath(chosen)) return Build(*terminal, Style::DashE, program);
    reason = std::string("The terminal program named in PELLIX_TERMINAL (") + chosen +
             ") was not found, so the console program cannot be given a window.";
    return std::nullopt;
  }
  // A terminal that may read a lone argument as a command line of its own
  // would split "/home/me/my dir/run.sh" at the blank (or trip over an
  // accent), so such a program goes to it behind env, which runs it
  // directly: two arguments are never a command line. env would take a path
  // holding "=" for a variable; that one program passes those terminals over.
  const bool loneUnplainProgram = program.size() == 1 && !IsPlainPath(program[0]);
  std::optional<std::string> env;
  if (loneUnplainProgram && program[0].find('=') == std::string::npos) env = FindInExecutablePath("env");
  for (const KnownTerminal& known : kTerminals) {
    std::vector<std::string> command = program;
    if (known.takesLoneArgumentAsCommand && loneUnplainProgram) {
      if (!env) continue;
      command = {*env, program[0]};
    }
    if (const auto terminal = FindInPath(known.name)) return Build(*terminal, known.style, command);
  }
  reason =
      "No terminal program was found to give the console program a window. Install one (such as xterm), "
      "or name one in the environment variable PELLIX_TERMINAL.";
  return std::nullopt;
}

}  // namespace platform
