#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

/// One drive letter and the host folder that is its root.
struct DriveMapping {
  char letter = 'C';  ///< upper-case drive letter
  std::string root;   ///< host folder, absolute
  int type = -1;      ///< drive type to report; -1 asks the mount table
};

/// Replaces the drive map (tests use this with temporary folders).
void SetDriveMap(const std::vector<DriveMapping>& drives);
/// Goes back to the user's map, or the default one built from the mount table.
void UseDefaultDriveMap();
/// The drive map in force, in letter order.
std::vector<DriveMapping> CurrentDriveMap();

/// The host path of a drive path ("C:\Data\a.txt"). A relative path is taken
/// against the current folder. Components that do not exist as spelled are
/// matched ignoring case among their folder's entries; a missing one keeps
/// its spelling. Nothing when the drive is not in the map or the path cannot
/// be a drive path.
std::optional<std::string> HostPath(const std::string& drivePath);
/// The drive path of a host path, through the drive whose root holds it
/// (the longest root that matches). Nothing when no drive holds it.
std::optional<std::string> DrivePath(const std::string& hostPath);

}  // namespace platform
