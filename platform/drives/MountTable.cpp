#include "platform/drives/MountTable.h"

#include <unistd.h>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace platform {

namespace {

// The kernel escapes blank, tab, newline and backslash as three octal digits.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const auto octal = [](char c) { return c >= '0' && c <= '7'; };
      if (octal(field[i + 1]) && octal(field[i + 2]) && octal(field[i + 3])) {
        out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool Under(const std::string& path, std::string_view folder) {
  return path == folder ||
         (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/');
}

bool IsPseudo(const std::string& type) {
  static constexpr std::array<std::string_view, 25> pseudo = {
      "proc",     "sysfs",     "cgroup",      "cgroup2",        "devtmpfs",   "devpts", "securityfs",
      "debugfs",  "tracefs",   "mqueue",      "hugetlbfs",      "pstore",     "bpf",    "autofs",
      "fusectl",  "configfs",  "binfmt_misc", "efivarfs",       "rpc_pipefs", "nsfs",   "overlay",
      "squashfs", "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse"};
  return std::find(pseudo.begin(), pseudo.end(), type) != pseudo.end();
}

bool IsNetwork(const std::string& type) {
  static constexpr std::array<std::string_view, 17> network = {
      "nfs",       "nfs4",       "cifs",           "smb3",  "smbfs",       "ncpfs",  "afs",  "ceph",       "9p",
      "glusterfs", "fuse.sshfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "lustre", "gfs2", "fuse.rclone"};
  return std::find(network.begin(), network.end(), type) != network.end();
}

std::string ReadLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// The sysfs folder of a block device ("/sys/dev/block/8:17" and so on).
std::string BlockFolder(const MountEntry& entry) {
  return "/sys/dev/block/" + std::to_string(entry.major) + ":" + std::to_string(entry.minor);
}

bool IsBlockDevice(const MountEntry& entry) {
  return entry.source.rfind("/dev/", 0) == 0 && ::access(BlockFolder(entry).c_str(), F_OK) == 0;
}

bool IsOptical(const MountEntry& entry) {
  if (entry.fsType == "iso9660" || entry.fsType == "udf") return true;
  if (entry.source.rfind("/dev/sr", 0) == 0 || entry.source.rfind("/dev/cdrom", 0) == 0) return true;
  return entry.major == 11;  // SCSI CD-ROM devices
}

bool IsRemovable(const MountEntry& entry) {
  if (!IsBlockDevice(entry)) return false;
  const std::string folder = BlockFolder(entry);
  // A partition keeps the flag on its whole disk, one folder up.
  std::string flag = ReadLine(folder + "/removable");
  if (flag.empty()) flag = ReadLine(folder + "/../removable");
  if (flag == "1") return true;
  // USB sticks and card readers often call themselves fixed disks; their
  // place on the bus says what they are.
  char target[PATH_MAX];
  const ssize_t n = ::readlink(folder.c_str(), target, sizeof target - 1);
  if (n <= 0) return false;
  const std::string_view device(target, static_cast<std::size_t>(n));
  return device.find("/usb") != std::string_view::npos || device.find("/mmc") != std::string_view::npos;
}

bool IsSystemFolder(const std::string& path) {
  static constexpr std::array<std::string_view, 11> under = {"/proc", "/sys", "/dev", "/boot", "/snap", "/var",
                                                             "/usr",  "/etc", "/tmp", "/efi",  "/run"};
  static constexpr std::array<std::string_view, 5> exact = {"/", "/home", "/opt", "/srv", "/root"};
  if (std::find(exact.begin(), exact.end(), path) != exact.end()) return true;
  return std::any_of(under.begin(), under.end(), [&](std::string_view f) { return Under(path, f); });
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
  std::vector<MountEntry> table;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    // id parent major:minor root mount-point options [optional fields] - type source super-options
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint, options;
    if (!(fields >> id >> parent >> device >> root >> mountPoint >> options)) continue;
    std::string field;
    while (fields >> field && field != "-") {
    }
    if (field != "-") continue;
    MountEntry entry;
    if (std::sscanf(device.c_str(), "%u:%u", &entry.major, &entry.minor) != 2) continue;
    if (!(fields >> entry.fsType)) continue;
    fields >> entry.source;
    entry.mountPoint = Unescape(mountPoint);
    entry.source = Unescape(entry.source);
    table.push_back(std::move(entry));
  }
  return table;
}

std::vector<MountEntry> ReadMountTable() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  return ParseMountInfo(text.str());
}

std::vector<std::string> VolumeMountPoints(const std::vector<MountEntry>& table) {
  std::vector<std::string> points;
  for (const MountEntry& entry : table) {
    if (entry.mountPoint == "/" || IsPseudo(entry.fsType)) continue;
    const bool mediaFolder =
        Under(entry.mountPoint, "/media") || Under(entry.mountPoint, "/run/media") || Under(entry.mountPoint, "/mnt");
    const bool shown = mediaFolder || (!IsSystemFolder(entry.mountPoint) &&
                                       (IsNetwork(entry.fsType) || IsOptical(entry) || IsRemovable(entry)));
    if (!shown) continue;
    if (std::find(points.begin(), points.end(), entry.mountPoint) != points.end()) continue;
    points.push_back(entry.mountPoint);
  }
  return points;
}

int MountDriveType(const MountEntry& entry) {
  if (entry.fsType == "tmpfs" || entry.fsType == "ramfs") return 6;
  if (IsNetwork(entry.fsType)) return 4;
  if (IsOptical(entry)) return 5;
  if (IsRemovable(entry)) return 2;
  return 3;
}

}  // namespace platform
