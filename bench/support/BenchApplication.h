#pragma once

namespace bench {

/// Starts the application object for a bench that builds the program's
/// windows: every message box is answered OK at once and its text written to
/// standard error, so a bench never waits on one and a failure still shows.
void StartApplication();

}  // namespace bench
