#include "components/DriveInfo.h"

#include "platform/drives/Drives.h"

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

void TDriveInfo::SetDrive(char letter) {
  Letter = Lower(letter);
  DriveName = std::string("(") + Upper(letter) + ":)";
  ReadDriveType();
}

void TDriveInfo::ReadDriveType() {
  // The record keeps the type as a signed byte; a value the platform might
  // give above 127 reads as negative and is refused when the icon is chosen.
  DriveType = static_cast<std::int8_t>(GetDriveTypeA(std::string(1, Letter) + ":\\"));
}
