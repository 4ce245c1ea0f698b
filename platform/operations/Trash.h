#pragma once

#include <string>

namespace platform {

/// Moves a file, link or whole folder (a host path; its own name is not
/// followed) into the user's trash as the freedesktop Trash specification
/// lays it out, with its info file, so other desktop programs can restore
/// it. Nothing is deleted when no trash can take the item: the result is
/// then an errno value (ENOTSUP when the item's file system has no trash),
/// 0 on success.
int MoveToTrash(const std::string& hostPath);

}  // namespace platform
