#pragma once

// What the benchmarks share: the clock, the peer tools they race against,
// their temporary folders and the system's own MIME database.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

/// Seconds from `start` until now, on the steady clock.
double Seconds(std::chrono::steady_clock::time_point start);

/// Where a peer tool's standard output goes: kept, or to /dev/null for the
/// tools that print what they list (ls, find), so the terminal's speed is
/// not part of their time.
enum class Output { Kept, Discarded };

/// One run of a peer tool.
struct ToolRun {
  /// From its start to its end; -1 when it could not be started.
  double seconds = -1;
  /// It ran and exited with 0.
  bool succeeded = false;
};

/// Runs `arguments[0]`, found on PATH, with the rest as its arguments and
/// waits for it to end.
ToolRun RunTool(const std::vector<std::string>& arguments, Output output = Output::Kept);

/// Makes a fresh folder `prefix`-XXXXXX in `parent`; empty when it cannot.
std::string MakeTempFolder(const std::filesystem::path& parent, const std::string& prefix);

/// $TMPDIR when it is set and not empty, else /tmp.
std::filesystem::path TmpDir();

/// Makes `root`/Pellix4, a program folder of the bench's own: the resource
/// libraries copied from the build's program folder `built` and a
/// "RegInfo.ini" of the marker line and `types`. Gives its path.
std::filesystem::path MakeProgramFolder(const std::filesystem::path& root, const std::filesystem::path& built,
                                        const std::string& types);

/// Points the XDG folders at Debian's own MIME database and themes: not the
/// user's additions, and the default icon theme whatever the user has chosen.
void UseSystemMimeDatabase();

}  // namespace bench
