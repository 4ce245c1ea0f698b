#pragma once

#include <string>

namespace platform {

/// The host folder of the running program file, without a trailing slash:
/// where the library search looks first and where the settings files live.
std::string ProgramHostFolder();
/// Makes another host folder the program folder (tests, which run from
/// their own folder, point it at a program folder of their own).
void SetProgramHostFolder(const std::string& hostFolder);

}  // namespace platform
