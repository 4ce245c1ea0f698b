#pragma once

#include <optional>
#include <string>

namespace platform {

/// Whether a host path names a regular file (following symbolic links).
bool IsRegularHostFile(const std::string& hostPath);
/// Whether a host path names a folder (following symbolic links).
bool IsHostFolder(const std::string& hostPath);
/// Whether a host path names a regular file this process may run.
bool IsExecutableHostFile(const std::string& hostPath);

/// The host path of the entry of `folder` named `name` ignoring ASCII case
/// that `accept` takes: the exact spelling when it is taken, else the first
/// taken match in byte order, so the choice does not depend on the order the
/// file system lists its entries in.
std::optional<std::string> FolderEntryIgnoringAsciiCase(const std::string& folder, const std::string& name,
                                                        bool (*accept)(const std::string& hostPath));

/// The first executable file `name` in the absolute folders of PATH.
std::optional<std::string> FindInExecutablePath(const std::string& name);

}  // namespace platform
