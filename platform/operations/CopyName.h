#pragma once

#include <string>

namespace platform {

/// The name a new item takes when `name` is already taken in its folder:
/// number 1 gives "a (copy 1).txt", 2 "a (copy 2).txt" and so on. The
/// extension (from the last dot) stays last; a folder, a name whose only dot
/// is its first character (".bashrc") and a name ending in a dot have none,
/// and ".tar" before a last extension belongs to it ("a (copy 1).tar.gz").
std::string CollisionName(const std::string& name, bool isFolder, int number);

}  // namespace platform
