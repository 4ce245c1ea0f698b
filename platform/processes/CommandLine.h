#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

/// Splits a command line into its arguments: blanks and tabs separate them,
/// and a pair of double quotes keeps the blanks between them inside one
/// argument and is itself removed ("" alone is an empty argument). A
/// backslash is an ordinary character, as paths hold it.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

/// The drive path of a file named on the command line or typed by the user.
/// A name that starts with a drive letter and a colon is a drive path and is
/// kept as it is. Any other name is a host path, absolute or relative to the
/// current folder; its folder is resolved as the system resolves it and the
/// whole path goes through the drive map. Nothing when the name is empty,
/// its folder does not exist, no drive holds it, or it holds a backslash,
/// which a drive path cannot carry (so it never stands for another file).
std::optional<std::string> ArgumentDrivePath(const std::string& name);

}  // namespace platform
