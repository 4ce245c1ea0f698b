#pragma once

#include <cstdint>
#include <optional>
#include <string>

constexpr unsigned DRIVE_UNKNOWN = 0;
constexpr unsigned DRIVE_NO_ROOT_DIR = 1;
constexpr unsigned DRIVE_REMOVABLE = 2;
constexpr unsigned DRIVE_FIXED = 3;
constexpr unsigned DRIVE_REMOTE = 4;
constexpr unsigned DRIVE_CDROM = 5;
constexpr unsigned DRIVE_RAMDISK = 6;

/// The drive letters of the drive map as bits: bit 0 for A up to bit 25 for Z.
std::uint32_t GetLogicalDrives();
/// The type of the drive whose root is given ("C:\" or "C:", either case):
/// the mapping's own type when it names one, else what the mount table says
/// of the file system that holds the root (see MountDriveType). 1 when the
/// text is no drive root, the drive is not mapped or its root does not
/// exist; 0 when the mount table says nothing of it.
unsigned GetDriveTypeA(const std::string& root);

/// Space on the volume that holds a folder, in bytes.
struct DiskFreeSpace {
  std::uint64_t freeBytesAvailableToCaller = 0;
  std::uint64_t totalNumberOfBytes = 0;
  std::uint64_t totalNumberOfFreeBytes = 0;
};
/// The space of the volume that holds a folder (a drive path); nothing when
/// it cannot be asked.
std::optional<DiskFreeSpace> GetDiskFreeSpaceExA(const std::string& folder);

/// What a volume says of itself.
struct VolumeInformation {
  std::string volumeName;          ///< the label; empty when it has none
  std::uint32_t serialNumber = 0;  ///< from the file system's UUID, else its id
  std::string fileSystemName;      ///< the mount table's type ("ext4", "vfat")
  std::uint32_t maximumComponentLength = 255;
};
/// The volume of a drive root ("C:\"); nothing when the drive is not mapped or
/// its root does not exist.
std::optional<VolumeInformation> GetVolumeInformationA(const std::string& root);

/// Sets the label of the volume of a drive root ("C:\"). A label is written
/// into the file system on its block device, which takes the device and root
/// rights no program of the user holds, so the call always fails: false with
/// ERROR_INVALID_DRIVE when the drive is not mapped or its root does not
/// exist, else with ERROR_ACCESS_DENIED. The label stays as it was.
bool SetVolumeLabelA(const std::string& root, const std::string& label);
