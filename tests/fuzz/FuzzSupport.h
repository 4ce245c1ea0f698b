#pragma once

// What every fuzz target shares: the start-up that keeps it away from the
// user's home, settings and clipboard, the cutting of one input into parts,
// and the check that stops the run on a broken oracle.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace component_test {
class TestDrive;
}

namespace fuzz_support {

/// Points the home and the XDG folders at a private folder (removed at exit)
/// and starts with no optical drive. With `widgets`, also starts a headless
/// QApplication and the application object, and answers every message box
/// without showing it (OK, else No or Cancel).
void Start(bool widgets);

/// A test drive named `name` that lasts for the whole run. It is never
/// destroyed: the drive map it would put back at its end is gone by the time
/// the program's statics are destroyed.
component_test::TestDrive& LastingDrive(const char* name);

/// The input cut at every NUL byte into at least `parts` texts (missing
/// ones empty); the last part keeps every NUL after the cut before it.
std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t parts);

/// The input as a text.
inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

/// Stops the run with the message on standard error when `holds` is false,
/// so libFuzzer keeps the input and the replay fails.
void Check(bool holds, const std::string& what);

/// A text shown with its bytes escaped, for Check's messages.
std::string Shown(const std::string& text);

}  // namespace fuzz_support
