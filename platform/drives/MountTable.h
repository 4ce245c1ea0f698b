#pragma once

#include <string>
#include <vector>

namespace platform {

/// One line of the kernel's mount table (/proc/self/mountinfo).
struct MountEntry {
  unsigned major = 0;  ///< device numbers of the mounted file system
  unsigned minor = 0;
  std::string mountPoint;  ///< host folder it is mounted on, unescaped
  std::string fsType;      ///< file-system type ("ext4", "nfs4", "fuse.sshfs")
  std::string source;      ///< mount source ("/dev/sdb1", "server:/share")
};

/// Parses the text of a mountinfo file; lines that do not parse are left out.
std::vector<MountEntry> ParseMountInfo(const std::string& text);
/// The mount table of this process, in mount order.
std::vector<MountEntry> ReadMountTable();

/// The mount points that get a drive letter of their own after C: (which is
/// "/"), in mount order: removable media, optical discs and network shares
/// mounted outside the system's own folders, and every other disk mounted
/// under /media, /run/media or /mnt. Pseudo file systems never count.
std::vector<std::string> VolumeMountPoints(const std::vector<MountEntry>& table);

/// The drive type of a mounted file system: 6 RAM (tmpfs, ramfs), 4 network,
/// 5 optical disc, 2 removable block device, 3 anything else.
int MountDriveType(const MountEntry& entry);

}  // namespace platform
