#pragma once

#include <cstdint>
#include <string>

/// A process started by CreateProcessA, held until CloseHandle.
struct ProcessObject;
using HPROCESS = ProcessObject*;

/// WaitForSingleObject's time limit that never runs out.
inline constexpr std::uint32_t INFINITE = 0xFFFFFFFF;
inline constexpr std::uint32_t WAIT_OBJECT_0 = 0;
inline constexpr std::uint32_t WAIT_TIMEOUT = 258;
inline constexpr std::uint32_t WAIT_FAILED = 0xFFFFFFFF;

/// Why CreateProcessA failed (Windows' numbers where it has one).
enum class ProcessError : std::uint32_t {
  None = 0,
  ProgramNotFound = 2,          ///< no file (a folder does not count) where the command line names the program
  EmptyCommandLine = 87,        ///< the command line names no program
  NotExecutable = 193,          ///< the file may not be run, or is not a program the system can start
  WorkingFolderNotFound = 267,  ///< the working folder is not an existing folder
  NoTerminal = 0x20000001,      ///< a console program, and no terminal to give it a window
  SystemError = 0x20000002,     ///< the system refused to start a process (resources)
};

/// What CreateProcessA gives back.
struct PROCESS_INFORMATION {
  HPROCESS hProcess = nullptr;  ///< the started process (the terminal for a console program)
  int dwProcessId = 0;
  ProcessError error = ProcessError::None;  ///< after a failure, why
  std::string errorText;                    ///< after a failure, why, as a sentence the caller can show
};

/// Starts a program from a command line, never through a shell. The command
/// line is split into arguments by platform::SplitProcessCommandLine (Windows' rules).
/// The first names the program: a name starting with a slash is a host path
/// (no drive path starts with one); another name holding a backslash, slash
/// or colon is a drive path (a relative one is taken against the current
/// folder); a bare name is looked for in the program folder (ignoring case),
/// then in PATH's absolute folders, never in the current folder. The other
/// arguments reach the program unchanged as text; its argv[0] is the
/// program's host path.
///
/// `currentDirectory` is the new process's working folder, a drive path or,
/// starting with a slash, a host path (empty: this process's current folder). The program gets this process's
/// environment and standard input, output and error, and no other open file;
/// its signal mask is empty and the usual signals are at their defaults.
/// A console program (platform::IsConsoleProgram) is started inside a new
/// terminal window (platform::TerminalArguments) instead; the handle is then
/// the terminal's.
///
/// True on success, with `info.hProcess` to wait for and close. False with
/// `info.error` and `info.errorText` set otherwise; GetLastError then gives
/// `info.error`'s number too.
bool CreateProcessA(const std::string& commandLine, const std::string& currentDirectory, PROCESS_INFORMATION& info);

/// Waits until the process has ended or `milliseconds` have passed (INFINITE:
/// no limit): WAIT_OBJECT_0 when it has ended, WAIT_TIMEOUT, or WAIT_FAILED
/// for a null handle. For a console program this is the end of its terminal;
/// a terminal that hands the program to a terminal server already running
/// (gnome-terminal does) ends at once.
std::uint32_t WaitForSingleObject(HPROCESS process, std::uint32_t milliseconds);

/// Releases a process handle; the process runs on by itself. Nothing of it
/// stays with us: a process still running is reaped when it ends, by a waiter
/// of its own. False for a null handle.
bool CloseHandle(HPROCESS process);
