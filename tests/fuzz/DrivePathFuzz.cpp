// Drive paths to host paths and back, over a drive map of its own: a host
// path never leaves its drive's root, and the round trip holds.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TempDrive.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {

namespace fs = std::filesystem;

fs::path g_base;

// Whether a host path is a drive's root or lies below it, with no "." or
// ".." on the way and no empty component.
bool Inside(const std::string& host, char letter) {
  const auto drive = platform::FindDrive(letter);
  if (!drive) return false;
  std::string root = drive->root;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (host == root) return true;
  if (host.compare(0, root.size() + 1, root + "/") != 0) return false;
  for (const auto& name : fs::path(host.substr(root.size() + 1)))
    if (name == "." || name == ".." || name.empty()) return false;
  return true;
}

// A path named as it stands, every component an entry spelled so.
bool Plain(const std::string& host) {
  if (host.empty() || host[0] != '/' || host.find("//") != std::string::npos || host.back() == '/') return false;
  for (const auto& name : fs::path(host).relative_path())
    if (name == "." || name == "..") return false;
  std::error_code error;
  return fs::exists(fs::symlink_status(host, error));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  g_base = testing_support::FreshFolder("drivepath");
  const fs::path c = g_base / "c";
  fs::create_directories(c / "Windows" / "System32");
  fs::create_directories(g_base / "d");
  fs::create_directories(g_base / "cx");
  testing_support::WriteFile(c / "Data" / "a.txt");
  testing_support::WriteFile(c / "Data" / "Sub" / "b.txt");
  testing_support::WriteFile(c / "README");
  testing_support::WriteFile(c / "Readme");
  testing_support::WriteFile(c / "\xC3\x84pfel");
  testing_support::WriteFile(c / "caf\xE9");
  testing_support::WriteFile(c / "back\\slash");
  // F: is a folder of C:, so a host path there has two drives that hold it.
  platform::SetDriveMap({{'C', c.string(), 3},
                         {'D', (g_base / "d").string() + "/", 3},
                         {'E', (g_base / "gone").string(), 3},
                         {'F', (c / "Data").string(), 3}});
  platform::ForgetCurrentFolder();
  SetCurrentDirectoryA("C:\\Data\\Sub");
  return 0;
}

// A drive path, a NUL, and a host path (taken below the base folder unless
// it starts with "/").
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1024) return 0;
  const std::vector<std::string> parts = fuzz_support::Parts(data, size, 2);
  const std::string& drivePath = parts[0];
  if (const auto resolved = platform::ResolveDrivePath(drivePath)) {
    const std::optional<std::string> host = platform::HostPath(drivePath);
    Check(host && *host == resolved->host, "HostPath and ResolveDrivePath differ for " + Shown(drivePath));
    Check(Inside(*host, resolved->letter), Shown(drivePath) + " leaves its drive as " + Shown(*host));
    const std::optional<std::string> back = platform::DrivePath(*host);
    Check(back.has_value(), "no drive path for " + Shown(*host) + " of " + Shown(drivePath));
    const std::optional<std::string> again = platform::HostPath(*back);
    Check(again == host, Shown(drivePath) + " gave " + Shown(*host) + ", then " + Shown(*back) + ", then " +
                             Shown(again.value_or("nothing")));
  } else {
    Check(!platform::HostPath(drivePath), "a host path for " + Shown(drivePath) + " that does not resolve");
  }

  std::string host = parts[1];
  if (host.find('\0') != std::string::npos) return 0;
  if (host.empty() || host[0] != '/') host = (g_base / host).string();
  if (const auto drive = platform::DrivePath(host)) {
    const auto resolved = platform::ResolveDrivePath(*drive);
    Check(resolved.has_value(), "drive path " + Shown(*drive) + " of " + Shown(host) + " does not resolve");
    Check(Inside(resolved->host, resolved->letter), Shown(*drive) + " leaves its drive as " + Shown(resolved->host));
    if (Plain(host)) Check(resolved->host == host, Shown(host) + " came back as " + Shown(resolved->host));
  }
  return 0;
}
