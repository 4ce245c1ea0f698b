#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

/// Whether a host program is a console program, which gets a terminal window
/// of its own when started: a script ("#!" first) or an ELF program of this
/// machine that names no GUI toolkit library among its needed libraries (Qt
/// Gui/Widgets/Quick, GTK and GDK, X11, xcb, Wayland, SDL, GLFW, FLTK,
/// wxWidgets' GTK port, SFML's window, libadwaita). Only the program's own
/// needs count, not those of its libraries. Files that are neither (other ELF
/// classes, formats the kernel may know otherwise) are not console programs.
bool IsConsoleProgram(const std::string& hostPath);

/// The argument vector that runs `program` (argv[0] a host path, then its
/// arguments, passed on unchanged) inside a new terminal window; element 0 is
/// the terminal's host path. No shell is involved: each terminal gets the
/// program and its arguments in its own way of taking an argument vector.
///
/// When the environment variable PELLIX_TERMINAL is set and not empty, it
/// names the only terminal tried (a host path, or a name looked up in PATH),
/// which is given "-e", the program and its arguments. Otherwise the first
/// of these found in PATH: x-terminal-emulator (-e), gnome-terminal (--),
/// konsole (-e), xfce4-terminal (--disable-server -x), mate-terminal (-x),
/// lxterminal (--command= with the words in single quotes, which it splits
/// itself), kitty (the program directly), alacritty (-e), xterm (-e).
/// x-terminal-emulator, konsole and xterm may take a lone argument as a
/// command line of their own, so a program without arguments whose path
/// holds more than letters, digits and "/._+-" (a blank, an accent) reaches
/// them behind env from PATH ("-e", env, the program); where there is no env,
/// or the path holds "=", which env would take for a variable, they are
/// passed over.
/// Nothing when no terminal is found; `reason` then says why, in a sentence
/// the caller can show.
std::optional<std::vector<std::string>> TerminalArguments(const std::vector<std::string>& program, std::string& reason);

}  // namespace platform
