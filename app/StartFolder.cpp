#include "app/StartFolder.h"

#include "platform/drives/DriveMap.h"

std::string CommandLineTail(const std::vector<std::string>& arguments) {
  std::string tail;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) tail += ' ';
    tail += arguments[i];
  }
  // A drive path never starts with "/", so such a tail can only be meant as
  // a host path, as a Linux shell hands it over.
  if (!tail.empty() && tail.front() == '/') {
    if (const auto drivePath = platform::DrivePath(tail)) return *drivePath;
  }
  return tail;
}
