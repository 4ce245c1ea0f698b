#include "DriveMap.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {
std::vector<DriveMapping>& Map() {
  static std::vector<DriveMapping> map{{'C', "/", -1}};
  return map;
}
}  // namespace

void SetDriveMap(const std::vector<DriveMapping>& drives) { Map() = drives; }

void UseDefaultDriveMap() { Map() = {{'C', "/", -1}}; }

std::vector<DriveMapping> CurrentDriveMap() { return Map(); }

std::optional<std::string> HostPath(const std::string& drivePath) {
  if (drivePath.size() < 2 || drivePath[1] != ':') return std::nullopt;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drivePath[0])));
  for (const DriveMapping& drive : Map()) {
    if (drive.letter != letter) continue;
    std::string rest = drivePath.substr(2);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    std::string root = drive.root;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (rest.empty() || rest == "/") return root;
    if (root == "/") return rest;
    return root + rest;
  }
  return std::nullopt;
}

std::optional<std::string> DrivePath(const std::string& hostPath) {
  for (const DriveMapping& drive : Map()) {
    std::string root = drive.root;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (hostPath.compare(0, root.size(), root) != 0) continue;
    std::string rest = root == "/" ? hostPath : hostPath.substr(root.size());
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, drive.letter) + ":" + (rest.empty() ? "\\" : rest);
  }
  return std::nullopt;
}

}  // namespace platform
