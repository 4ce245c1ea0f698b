#pragma once

#include <memory>
#include <string>

#include "platform/multimedia/CdDrive.h"

namespace platform {

/// The host path of the default optical drive: /dev/cdrom when it exists,
/// else the first /dev/srN by number; empty when there is none.
std::string DefaultCdromPath();

/// Opens an optical drive's device file (without waiting for a disc) and
/// drives it through the Linux CD-ROM ioctls; null when it cannot be opened.
std::unique_ptr<CdDrive> OpenCdromDevice(const std::string& path);

}  // namespace platform
