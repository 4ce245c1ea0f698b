#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/MountTable.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::FreshFolder;
using testing_support::WriteFile;

class DriveMap : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = FreshFolder("drivemap");
    c_ = base_ / "c";
    d_ = base_ / "d";
    fs::create_directories(c_ / "Windows" / "System32");
    fs::create_directories(d_);
    fs::create_directories(base_ / "cx");
    WriteFile(c_ / "Data" / "a.txt");
    WriteFile(c_ / "README");
    WriteFile(c_ / "Readme");
    WriteFile(c_ / "ReadMe");
    WriteFile(c_ / "\xC3\x84pfel");  // Äpfel
    WriteFile(c_ / "caf\xE9");       // not UTF-8
    WriteFile(c_ / "back\\slash");   // a name no drive path can carry
    ASSERT_EQ(::chdir(base_.c_str()), 0);
    platform::SetDriveMap({{'C', c_.string(), 3}, {'D', d_.string() + "/", 3}, {'E', (base_ / "gone").string(), 3}});
  }
  void TearDown() override {
    ASSERT_EQ(::chdir("/"), 0);
    platform::UseDefaultDriveMap();
  }
  fs::path base_, c_, d_;
};

TEST_F(DriveMap, HostPathOfDrivePaths) {
  struct Case {
    const char* drivePath;
    const char* host;  // below the base folder; nullptr: no host path
  };
  const Case cases[] = {
      {"C:", "c"},
      {"C:\\", "c"},
      {"c:\\", "c"},
      {"c:\\windows\\", "c/Windows"},
      {"C:\\WINDOWS\\system32", "c/Windows/System32"},
      {"C:/Windows/System32/", "c/Windows/System32"},
      {"C:\\Data\\\\A.TXT", "c/Data/a.txt"},
      {"C:\\Data\\.\\a.txt", "c/Data/a.txt"},
      {"C:\\Data\\missing\\x", "c/Data/missing/x"},
      {"C:\\Missing\\windows", "c/Missing/windows"},
      {"C:\\..", "c"},
      {"C:\\..\\..\\cx", "c/cx"},
      {"C:\\Windows\\..\\..\\..\\Data", "c/Data"},
      {"C:\\readme", "c/README"},  // case twins: the first in byte order
      {"C:\\Readme", "c/Readme"},  // the exact spelling wins
      {"C:\\\xC3\xA4PFEL", "c/\xC3\x84pfel"},
      {"C:\\caf\xE9", "c/caf\xE9"},
      {"C:\\CAF\xE9", "c/caf\xE9"},
      {"D:\\", "d"},
      {"e:\\x", "gone/x"},
      {"Q:\\x", nullptr},
      {"\\\\server\\share", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drivePath);
    const auto host = platform::HostPath(c.drivePath);
    if (!c.host) {
      EXPECT_FALSE(host.has_value());
      continue;
    }
    ASSERT_TRUE(host.has_value());
    EXPECT_EQ(*host, (base_ / c.host).string());
  }
  EXPECT_FALSE(platform::HostPath(std::string("C:\\a\0b", 6)).has_value());
}

TEST_F(DriveMap, NoDrivePathReachesAboveItsRoot) {
  const char* hostile[] = {"C:\\..\\..\\..\\etc\\passwd",  "C:..\\..",       "C:\\.\\..\\.\\..", "C:/../../..",
                           "C:\\Data\\..\\..\\..\\..\\cx", "..\\..\\..\\..", "\\..\\.."};
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\Data"));
  for (const char* path : hostile) {
    SCOPED_TRACE(path);
    const auto host = platform::HostPath(path);
    ASSERT_TRUE(host.has_value());
    EXPECT_TRUE(*host == c_.string() || host->rfind(c_.string() + "/", 0) == 0) << *host;
  }
}

TEST_F(DriveMap, RelativePathsAgainstTheCurrentFolder) {
  ASSERT_TRUE(SetCurrentDirectoryA("c:\\data"));
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");
  EXPECT_EQ(platform::HostPath("A.txt").value(), (c_ / "Data" / "a.txt").string());
  EXPECT_EQ(platform::HostPath("..\\windows").value(), (c_ / "Windows").string());
  EXPECT_EQ(platform::HostPath("\\windows").value(), (c_ / "Windows").string());
  EXPECT_EQ(platform::HostPath("C:a.txt").value(), (c_ / "Data" / "a.txt").string());
  EXPECT_EQ(platform::HostPath("D:x").value(), (d_ / "x").string());
}

TEST_F(DriveMap, DrivePathOfHostPaths) {
  struct Case {
    std::string host;
    const char* drivePath;  // nullptr: no drive holds it
  };
  const Case cases[] = {
      {c_.string(), "C:\\"},
      {c_.string() + "/", "C:\\"},
      {(c_ / "Windows").string() + "/", "C:\\Windows"},
      {(c_ / "Data" / ".." / "Windows" / "System32").string(), "C:\\Windows\\System32"},
      {(d_ / "x" / "y").string(), "D:\\x\\y"},
      {(base_ / "cx" / "y").string(), nullptr},  // shares only a prefix with C:'s root
      {(c_ / "back\\slash").string(), nullptr},
      {"/nowhere/else", nullptr},
      {"c/Data", "C:\\Data"},  // relative to the host's working folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    const auto drivePath = platform::DrivePath(c.host);
    if (!c.drivePath) {
      EXPECT_FALSE(drivePath.has_value());
      continue;
    }
    ASSERT_TRUE(drivePath.has_value());
    EXPECT_EQ(*drivePath, c.drivePath);
  }
}

TEST_F(DriveMap, NameHoldingABackslashIsNeverTakenForAnother) {
  // "C:\back\slash" is the file "slash" in a folder "back", which does not exist.
  EXPECT_EQ(platform::HostPath("C:\\back\\slash").value(), (c_ / "back" / "slash").string());
  EXPECT_FALSE(platform::LookUpName(c_.string(), "back\\slash").has_value());
}

TEST_F(DriveMap, UserMapIsAFolderOfLinks) {
  const fs::path links = platform::UserDriveMapFolder();
  fs::create_directories(links);
  fs::create_directory_symlink(c_, links / "c:");
  fs::create_directory_symlink(d_, links / "X:");
  fs::create_directory_symlink(d_, links / "not-a-drive");
  platform::UseDefaultDriveMap();
  const auto map = platform::CurrentDriveMap();
  fs::remove_all(links);
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map[0].letter, 'C');
  EXPECT_EQ(map[0].root, c_.string());
  EXPECT_EQ(map[1].letter, 'X');
  EXPECT_EQ(map[1].root, d_.string());
}

TEST(MountTable, VolumesThatGetALetter) {
  const std::string text =
      "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
      "28 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "30 28 254:1 / /boot rw - ext4 /dev/vda1 rw\n"
      "31 28 254:2 / /home rw - ext4 /dev/vda2 rw\n"
      "32 28 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "33 28 8:17 / /media/me/USB\\040STICK rw shared:1 - vfat /dev/sdb1 rw\n"
      "34 28 11:0 / /run/media/me/DISC ro - iso9660 /dev/sr0 ro\n"
      "35 28 0:50 / /srv/share rw - nfs4 server:/share rw\n"
      "36 28 0:51 / /net/home rw - cifs //nas/home rw\n"
      "37 28 8:33 / /mnt/backup rw - ext4 /dev/sdc1 rw\n"
      "38 28 8:33 / /mnt/backup rw - ext4 /dev/sdc1 rw\n"
      "39 28 0:60 / /var/lib/docker/overlay rw - overlay overlay rw\n"
      "garbage line\n";
  const auto table = platform::ParseMountInfo(text);
  ASSERT_EQ(table.size(), 12u);
  EXPECT_EQ(table[5].mountPoint, "/media/me/USB STICK");
  EXPECT_EQ(table[5].major, 8u);
  EXPECT_EQ(table[5].minor, 17u);
  const std::vector<std::string> expected = {"/media/me/USB STICK", "/run/media/me/DISC", "/srv/share", "/net/home",
                                             "/mnt/backup"};
  EXPECT_EQ(platform::VolumeMountPoints(table), expected);
  EXPECT_EQ(platform::MountDriveType(table[4]), 6);
  EXPECT_EQ(platform::MountDriveType(table[6]), 5);
  EXPECT_EQ(platform::MountDriveType(table[7]), 4);
}

}  // namespace
