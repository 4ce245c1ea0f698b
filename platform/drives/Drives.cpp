#include "platform/drives/Drives.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/MountTable.h"
#include "platform/system/LastError.h"

namespace {

// The mapping of a root text "X:" or "X:\" ("X:/" too).
std::optional<platform::DriveMapping> DriveOfRoot(const std::string& root) {
  if (root.size() < 2 || root.size() > 3 || root[1] != ':') return std::nullopt;
  if (root.size() == 3 && root[2] != '\\' && root[2] != '/') return std::nullopt;
  return platform::FindDrive(root[0]);
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

bool Under(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path == folder ||
         (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/');
}

// The mount that holds a host folder: the one with the folder's device
// numbers and the longest mount point above it, else (file systems such as
// btrfs give their files other device numbers) the longest mount point.
std::optional<platform::MountEntry> MountOf(const std::string& folder, const struct stat& st) {
  const std::string real = RealPath(folder);
  std::optional<platform::MountEntry> byDevice, byPath;
  for (const platform::MountEntry& entry : platform::ReadMountTable()) {
    if (!Under(real, entry.mountPoint)) continue;
    if (!byPath || entry.mountPoint.size() >= byPath->mountPoint.size()) byPath = entry;
    if (makedev(entry.major, entry.minor) == st.st_dev &&
        (!byDevice || entry.mountPoint.size() >= byDevice->mountPoint.size()))
      byDevice = entry;
  }
  return byDevice ? byDevice : byPath;
}

// udev names its links with "\x20" for a blank and so on.
std::string UnescapeUdev(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
        std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
        std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
      out += static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16));
      i += 3;
    } else {
      out += name[i];
    }
  }
  return out;
}

// The name of the link in /dev/disk/<kind> that points at a device.
std::string DiskLinkName(const std::string& kind, const std::string& device) {
  const std::string folder = "/dev/disk/" + kind;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return {};
  const std::string target = RealPath(device);
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string link = folder + "/" + entry->d_name;
    if (RealPath(link) == target) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::uint32_t SerialFromUuid(const std::string& uuid) {
  std::string hex;
  for (const char c : uuid)
    if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
  if (hex.empty()) return 0;
  return static_cast<std::uint32_t>(std::strtoul(hex.substr(0, 8).c_str(), nullptr, 16));
}

}  // namespace

std::uint32_t GetLogicalDrives() {
  std::uint32_t bits = 0;
  for (const platform::DriveMapping& drive : platform::CurrentDriveMap())
    if (drive.letter >= 'A' && drive.letter <= 'Z') bits |= 1u << (drive.letter - 'A');
  return bits;
}

unsigned GetDriveTypeA(const std::string& root) {
  const auto drive = DriveOfRoot(root);
  if (!drive) return DRIVE_NO_ROOT_DIR;
  struct stat st {};
  if (::stat(drive->root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return DRIVE_NO_ROOT_DIR;
  if (drive->type >= 0) return static_cast<unsigned>(drive->type);
  const auto mount = MountOf(drive->root, st);
  if (!mount) return DRIVE_UNKNOWN;
  return static_cast<unsigned>(platform::MountDriveType(*mount));
}

std::optional<DiskFreeSpace> GetDiskFreeSpaceExA(const std::string& folder) {
  const auto host = platform::HostPath(folder);
  if (!host) {
    SetLastError(ERROR_INVALID_DRIVE);
    return std::nullopt;
  }
  struct statvfs vfs {};
  if (::statvfs(host->c_str(), &vfs) != 0) {
    platform::SetLastErrorFromErrno(errno);
    return std::nullopt;
  }
  const std::uint64_t unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
  DiskFreeSpace space;
  space.freeBytesAvailableToCaller = static_cast<std::uint64_t>(vfs.f_bavail) * unit;
  space.totalNumberOfBytes = static_cast<std::uint64_t>(vfs.f_blocks) * unit;
  space.totalNumberOfFreeBytes = static_cast<std::uint64_t>(vfs.f_bfree) * unit;
  return space;
}

std::optional<VolumeInformation> GetVolumeInformationA(const std::string& root) {
  const auto drive = DriveOfRoot(root);
  struct stat st {};
  if (!drive || ::stat(drive->root.c_str(), &st) != 0) {
    SetLastError(drive ? ERROR_NOT_READY : ERROR_INVALID_DRIVE);
    return std::nullopt;
  }
  VolumeInformation info;
  struct statvfs vfs {};
  if (::statvfs(drive->root.c_str(), &vfs) == 0) {
    info.maximumComponentLength = static_cast<std::uint32_t>(vfs.f_namemax);
    info.serialNumber = static_cast<std::uint32_t>(vfs.f_fsid);
  }
  if (const auto mount = MountOf(drive->root, st)) {
    info.fileSystemName = mount->fsType;
    if (mount->source.rfind("/dev/", 0) == 0) {
      info.volumeName = UnescapeUdev(DiskLinkName("by-label", mount->source));
      const std::string uuid = DiskLinkName("by-uuid", mount->source);
      if (!uuid.empty()) info.serialNumber = SerialFromUuid(uuid);
    }
  }
  return info;
}

bool SetVolumeLabelA(const std::string& root, const std::string& /*label*/) {
  const auto drive = DriveOfRoot(root);
  struct stat st {};
  if (!drive || ::stat(drive->root.c_str(), &st) != 0) {
    SetLastError(ERROR_INVALID_DRIVE);
    return false;
  }
  // Relabelling needs the raw device and the tool of its file system, run
  // with root rights; refusing it here leaves the volume untouched.
  SetLastError(ERROR_ACCESS_DENIED);
  return false;
}
