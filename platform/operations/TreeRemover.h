#pragma once

#include <string>

namespace platform {

/// Deletes the entry `name` of the open folder `folder` for good: a file or
/// link by unlinking it, a folder with everything below it. Links are never
/// followed, and a folder that a file system is mounted on is never entered
/// (the removal fails there instead of emptying that file system).
/// Stops at the first entry that cannot be removed. Returns 0 or an errno value.
int RemoveTree(int folder, const std::string& name);

}  // namespace platform
