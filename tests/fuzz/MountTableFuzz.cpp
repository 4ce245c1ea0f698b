// The kernel's mount table as the drive map reads it.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/drives/MountTable.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 16384) return 0;
  const std::vector<platform::MountEntry> table = platform::ParseMountInfo(fuzz_support::Text(data, size));
  for (const platform::MountEntry& entry : table) {
    const int type = platform::MountDriveType(entry);
    Check(type >= 2 && type <= 6, "drive type of " + Shown(entry.mountPoint));
  }
  // Every volume is a mount point of the table, once, and never the root C: is.
  const std::vector<std::string> volumes = platform::VolumeMountPoints(table);
  for (std::size_t n = 0; n < volumes.size(); ++n) {
    Check(volumes[n] != "/", "the root as a further volume");
    Check(std::any_of(table.begin(), table.end(), [&](const auto& e) { return e.mountPoint == volumes[n]; }),
          "volume " + Shown(volumes[n]) + " not in the table");
    Check(std::find(volumes.begin(), volumes.begin() + static_cast<std::ptrdiff_t>(n), volumes[n]) ==
              volumes.begin() + static_cast<std::ptrdiff_t>(n),
          "volume " + Shown(volumes[n]) + " twice");
  }
  return 0;
}
