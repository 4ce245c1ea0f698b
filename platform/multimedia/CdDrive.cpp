#include "platform/multimedia/CdDrive.h"

#include "platform/multimedia/CdromDevice.h"

namespace platform {

namespace {

CdDriveOpener& Opener() {
  static CdDriveOpener opener;
  return opener;
}

}  // namespace

CdDriveOpener SetCdDriveOpener(CdDriveOpener opener) {
  CdDriveOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

std::unique_ptr<CdDrive> OpenDefaultCdDrive() {
  if (Opener()) return Opener()();
  return OpenCdromDevice(DefaultCdromPath());
}

}  // namespace platform
