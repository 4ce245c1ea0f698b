#pragma once

#include <optional>
#include <string>

namespace platform {

/// The entry of the host folder `folder` whose name equals `name` ignoring
/// case (FoldCase): of several case twins the first in byte order; nothing
/// when there is none or the folder cannot be read. Names holding a
/// backslash are never found. The answer is always that of a fresh scan of
/// the folder; the folded names of a few recently searched folders on local
/// file systems are kept, kept current by the kernel's change notices for
/// those folders (our own changes and everyone else's), so that repeated
/// look-ups in one large folder do not read it again each time.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, const std::string& name);

/// The same for a folder open already (its descriptor), which is looked at
/// whatever its path names by now.
std::optional<std::string> FindNameIgnoringCaseIn(int folder, const std::string& name);

/// Whether the folded names of `folder` are kept at the moment (for tests
/// that must know the kept names are what answers).
bool FolderNamesKept(const std::string& folder);

}  // namespace platform
