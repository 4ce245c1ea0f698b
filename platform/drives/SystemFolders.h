#pragma once

#include <string>

/// The drive path of the running program file: the program folder
/// (platform::ProgramHostFolder) and "Pellix4.exe" or whatever the program
/// file is called. Empty when no drive holds the program folder.
std::string GetModuleFileNameA();
/// The Windows folder: the program folder and "\Windows", no trailing backslash.
std::string GetWindowsDirectoryA();
/// The system folder: the program folder and "\Windows\System32".
std::string GetSystemDirectoryA();
