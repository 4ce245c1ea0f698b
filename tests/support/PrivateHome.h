#pragma once
#include <string>

namespace testing_support {

/// Points HOME and the XDG folders at a fresh temporary folder, so no test
/// ever reads or writes the user's real home, trash or settings.
/// Called by every test program's main before anything else runs.
void UsePrivateHome();

/// The private home made by UsePrivateHome (a host path).
const std::string& PrivateHome();

}  // namespace testing_support
