#pragma once

#include <string>

// The functions of the shell's file operation.
constexpr unsigned FO_MOVE = 1;
constexpr unsigned FO_COPY = 2;
constexpr unsigned FO_DELETE = 3;
constexpr unsigned FO_RENAME = 4;

// Its flags.
constexpr unsigned FOF_MULTIDESTFILES = 0x1;     ///< one destination path per source path
constexpr unsigned FOF_SILENT = 0x4;             ///< no progress window (there is none)
constexpr unsigned FOF_RENAMEONCOLLISION = 0x8;  ///< a taken name makes "a (copy 1).txt"
constexpr unsigned FOF_NOCONFIRMATION = 0x10;    ///< no question (none is ever asked)
constexpr unsigned FOF_ALLOWUNDO = 0x40;         ///< delete recycles into the trash
constexpr unsigned FOF_FILESONLY = 0x80;         ///< only files for wildcards (names are never wildcards here)

/// One request to the shell's file operation.
struct SHFILEOPSTRUCT {
  unsigned wFunc = 0;  ///< FO_MOVE, FO_COPY, FO_DELETE or FO_RENAME
  /// Source drive paths, each ended by a NUL, the list by one more NUL.
  std::string pFrom;
  /// Destination drive paths in the same form (copy, move and rename). A
  /// path ending with a backslash names the folder the item goes into under
  /// its own name; any other path names the new item itself.
  std::string pTo;
  unsigned fFlags = 0;
  /// Set by the call exactly when an operation failed or was cut short.
  bool fAnyOperationsAborted = false;
};

/// Copies, moves, renames or deletes the items a request names, in order,
/// stopping at the first that fails. Nothing is ever replaced: a taken name
/// fails, or with FOF_RENAMEONCOLLISION the new item takes another name.
/// A folder is copied or moved whole, never into itself or below, and
/// never merged into an existing one. A move across file systems removes
/// the source only after its copy is checked whole. Delete removes for good,
/// or with FOF_ALLOWUNDO recycles into the trash (never falling back to
/// deleting); a drive's root is never deleted, moved or copied. Paths outside
/// the mapped drives, or with "." or ".." components, fail. Returns 0 on
/// success, otherwise a system error code (an ERROR_ value of LastError.h).
int SHFileOperationA(SHFILEOPSTRUCT* operation);
