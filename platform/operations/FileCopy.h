#pragma once

#include <string>

/// Moves a file or folder (drive paths) to a new name that must not exist;
/// nothing is ever replaced. On one file system this is a rename; a file
/// moves across file systems by a copy that is checked whole before the
/// source is removed; a folder does not (the call fails). True on success;
/// on failure GetLastError tells why.
bool MoveFileA(const std::string& existingFileName, const std::string& newFileName);

/// Copies a file (drive paths) with its mode, modification time and
/// attributes; a folder is refused. With `failIfExists` the call fails when
/// the new name is taken, decided without a race; without it an existing
/// file is replaced (never a folder), and readers never see it half written.
/// True on success; on failure GetLastError tells why.
bool CopyFileA(const std::string& existingFileName, const std::string& newFileName, bool failIfExists);
