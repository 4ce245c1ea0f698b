#include "platform/operations/CopyName.h"

#include <strings.h>

namespace platform {

std::string CollisionName(const std::string& name, bool isFolder, int number) {
  std::string::size_type dot = std::string::npos;
  if (!isFolder) {
    dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension; a trailing dot
    // separates nothing.
    if (dot == 0 || dot == name.size() - 1) dot = std::string::npos;
    if (dot != std::string::npos && dot >= 5 && strncasecmp(name.c_str() + dot - 4, ".tar", 4) == 0) dot -= 4;
  }
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  return stem + " (copy " + std::to_string(number) + ")" + extension;
}

}  // namespace platform
