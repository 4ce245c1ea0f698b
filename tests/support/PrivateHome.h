#pragma once
#include <string>

namespace testing_support {

/// Points HOME and the XDG folders at a fresh temporary folder, so no test
/// ever reads or writes the user's real home, trash or settings.
/// Called by every test program's main before anything else runs.
void UsePrivateHome();

/// The private home made by UsePrivateHome (a host path).
const std::string& PrivateHome();

/// Removes the private home with everything in it; the test mains call it
/// when the tests have run. Does nothing in a process other than the one
/// that made the home (a test's forked child), nor in a test program started
/// by another (its home lies inside its parent's, which removes it).
void RemovePrivateHome();

}  // namespace testing_support
