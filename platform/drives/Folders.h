#pragma once

#include <string>

/// Makes a folder (a drive path, relative ones against the current folder)
/// the process's current folder; the host's working folder follows, so
/// programs started later inherit it. False when the folder does not exist or
/// cannot be entered; the current folder then stays as it was.
bool SetCurrentDirectoryA(const std::string& drivePath);
/// The current folder as a drive path ("C:\Data", a root as "C:\"). At first
/// it is the drive path of the host's working folder, or C:\ when no drive
/// holds that folder.
std::string GetCurrentDirectoryA();

/// Creates one folder; false when it exists already or its parent is missing.
bool CreateDirectoryA(const std::string& drivePath);
/// Removes an empty folder; false when it is missing, not empty or not a folder.
bool RemoveDirectoryA(const std::string& drivePath);
/// Removes a file (a symbolic link itself, never its target); false for a
/// folder or a missing file.
bool DeleteFileA(const std::string& drivePath);

namespace platform {
/// Forgets the current folder, so that it is found again from the host's
/// working folder (the drive map changed).
void ForgetCurrentFolder();
}  // namespace platform
