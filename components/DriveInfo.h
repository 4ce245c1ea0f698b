#pragma once

#include <cstdint>
#include <string>

/// The folder tree's record of one drive: its letter, the text of its node
/// and its drive type.
class TDriveInfo {
 public:
  /// A blank letter, an empty text and type 1 (no such root).
  TDriveInfo() = default;

  /// Takes the drive's letter, makes its node text "(X:)" and reads its type.
  void SetDrive(char Letter);
  /// Reads the type of the drive's root folder ("x:\") from the platform.
  void ReadDriveType();

  /// The drive letter in lower case; a blank until SetDrive.
  char Letter = ' ';
  /// The text of the drive's node: "(" + the upper-case letter + ":)".
  std::string DriveName;
  /// The drive type as GetDriveTypeA gives it: 0 unknown, 1 no root folder,
  /// 2 removable, 3 fixed, 4 remote, 5 CD-ROM, 6 RAM disk.
  std::int8_t DriveType = 1;
};
