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
/// The user's map is the folder "pellix/drives" in the user's configuration
/// folder ($XDG_CONFIG_HOME, else ~/.config): each symbolic link in it named
/// after a drive ("c:", "D:") makes its target that drive's root. When that
/// folder holds no such link, C: is "/" and every further volume of the mount
/// table (see VolumeMountPoints) takes the next free letter from D: on.
void UseDefaultDriveMap();
/// The drive map in force, in letter order.
std::vector<DriveMapping> CurrentDriveMap();
/// The mapping of one drive letter (either case), or nothing.
std::optional<DriveMapping> FindDrive(char letter);
/// The folder that holds the user's own drive map.
std::string UserDriveMapFolder();

/// A drive path taken apart and found on the host.
struct ResolvedPath {
  char letter = 'C';               ///< its drive, upper case
  std::vector<std::string> names;  ///< components below the root, as found on the host
  std::string host;                ///< the host path
  bool exists = true;              ///< every component was found
};

/// Resolves a drive path: "X:" and "X:\" are the drive's root; a path without
/// a drive is taken against the current folder ("\a" against its drive's
/// root); "\" and "/" both separate components, and empty components are
/// dropped. "." and ".." are taken apart before anything is looked up, and
/// ".." at the root stays at the root, so no drive path ever names anything
/// above its drive's root folder. Each component that does not exist as
/// spelled is matched ignoring case among its folder's entries (see
/// LookUpName); from the first one that does not exist on, components keep
/// their spelling. While an ExactNames scope is open the last component is
/// only found as spelled. Nothing when the drive is not in the map or the
/// text cannot be a drive path (a NUL byte, a network path "\\server").
std::optional<ResolvedPath> ResolveDrivePath(const std::string& drivePath);
/// Resolves the drive path of a folder that holds an item, as
/// ResolveDrivePath does but with every component matched ignoring case
/// whatever scope is open: only the item's own name is ever taken exactly.
std::optional<ResolvedPath> ResolveFolderPath(const std::string& drivePath);

/// The host path of a drive path ("C:\Data\a.txt"), as ResolveDrivePath finds it.
std::optional<std::string> HostPath(const std::string& drivePath);
/// The drive path of a host path, through the drive whose root holds it
/// (the longest root that matches). A relative host path is taken against the
/// process's host folder. Nothing when no drive holds it, or when a name on
/// the way holds a backslash, which a drive path cannot carry.
std::optional<std::string> DrivePath(const std::string& hostPath);

/// The entry of host folder `folder` that a drive path's component `name`
/// stands for: `name` itself when it exists as spelled, else the entry equal
/// to it ignoring case; of several such entries, the first in byte order.
/// Entries whose names hold a backslash never match. Nothing when no entry
/// matches.
std::optional<std::string> LookUpName(const std::string& folder, const std::string& name);

/// Whether a drive path names its drive and starts at that drive's root
/// ("C:\..."), so that no current folder takes part in it.
bool StartsAtDriveRoot(const std::string& drivePath);

/// Joins a host folder and a name with one slash.
std::string JoinHost(const std::string& folder, const std::string& name);

}  // namespace platform
