#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// The folders that hold shared data (the MIME database, icon themes), most
/// important first: XDG_DATA_HOME (default ~/.local/share), then each folder
/// of XDG_DATA_DIRS (default /usr/local/share:/usr/share). Relative entries
/// are left out, as the base-directory rules say.
std::vector<std::string> XdgDataDirs();
/// The configuration folders, most important first: XDG_CONFIG_HOME (default
/// ~/.config), then XDG_CONFIG_DIRS (default /etc/xdg).
std::vector<std::string> XdgConfigDirs();

/// The whole content of a host file into `content`; false when it cannot be read.
bool ReadHostFile(const std::string& path, std::string& content);

/// Calls `entry` with the section, key and value of every "key=value" line of
/// a desktop-style INI text ("[Section]" lines, "#" comments, blanks around
/// the "=" and the value removed).
void ForEachIniEntry(
    std::string_view text,
    const std::function<void(std::string_view section, std::string_view key, std::string_view value)>& entry);

/// Calls `line` with every line of a text, without its line end.
void ForEachLine(std::string_view text, const std::function<void(std::string_view line)>& line);

}  // namespace platform
