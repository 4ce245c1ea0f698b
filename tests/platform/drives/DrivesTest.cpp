#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Drives.h"
#include "platform/system/LastError.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;

class Drives : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("drives");
    fs::create_directories(root_ / "a");
    fs::create_directories(root_ / "c");
    fs::create_directories(root_ / "d");
    fs::create_directories(root_ / "z");
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }
  fs::path root_;
};

TEST_F(Drives, LettersAndTypes) {
  platform::SetDriveMap({{'A', (root_ / "a").string(), 2},
                         {'c', (root_ / "c").string(), -1},
                         {'D', (root_ / "d").string(), 5},
                         {'E', (root_ / "gone").string(), 3},
                         {'R', "/dev/shm", -1},
                         {'Z', (root_ / "z").string(), 4}});
  EXPECT_EQ(GetLogicalDrives(), (1u << 0) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 17) | (1u << 25));
  struct Case {
    const char* root;
    unsigned type;
  };
  const Case cases[] = {
      {"A:\\", DRIVE_REMOVABLE},    {"c:\\", DRIVE_FIXED},  // the mount table: the private home's disk
      {"C:", DRIVE_FIXED},          {"D:\\", DRIVE_CDROM},
      {"E:\\", DRIVE_NO_ROOT_DIR},                                // mapped, but its root is gone
      {"Z:\\", DRIVE_REMOTE},       {"Q:\\", DRIVE_NO_ROOT_DIR},  // not mapped
      {"C:\\a", DRIVE_NO_ROOT_DIR},                               // not a root
      {"", DRIVE_NO_ROOT_DIR},
  };
  for (const Case& c : cases) EXPECT_EQ(GetDriveTypeA(c.root), c.type) << c.root;
  if (fs::is_directory("/dev/shm")) {
    EXPECT_EQ(GetDriveTypeA("R:\\"), DRIVE_RAMDISK);
  }
}

TEST_F(Drives, SpaceAndVolume) {
  platform::SetDriveMap({{'C', (root_ / "c").string(), 3}, {'E', (root_ / "gone").string(), 3}});
  const auto space = GetDiskFreeSpaceExA("C:\\");
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->totalNumberOfBytes, 0u);
  EXPECT_LE(space->freeBytesAvailableToCaller, space->totalNumberOfFreeBytes);
  EXPECT_LE(space->totalNumberOfFreeBytes, space->totalNumberOfBytes);
  EXPECT_FALSE(GetDiskFreeSpaceExA("Q:\\").has_value());
  const auto volume = GetVolumeInformationA("C:\\");
  ASSERT_TRUE(volume.has_value());
  EXPECT_FALSE(volume->fileSystemName.empty());
  EXPECT_FALSE(GetVolumeInformationA("E:\\").has_value());
  EXPECT_FALSE(GetVolumeInformationA("Q:\\").has_value());
}

TEST_F(Drives, VolumeLabelsAreNeverWritten) {
  platform::SetDriveMap({{'C', (root_ / "c").string(), 3}, {'E', (root_ / "gone").string(), 3}});
  const std::string before = GetVolumeInformationA("C:\\")->volumeName;
  const struct {
    const char* root;
    std::uint32_t error;
  } cases[] = {{"C:\\", ERROR_ACCESS_DENIED}, {"E:\\", ERROR_INVALID_DRIVE}, {"Q:\\", ERROR_INVALID_DRIVE}};
  for (const auto& c : cases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(SetVolumeLabelA(c.root, "NEW")) << c.root;
    EXPECT_EQ(GetLastError(), c.error) << c.root;
  }
  EXPECT_EQ(GetVolumeInformationA("C:\\")->volumeName, before);
}

}  // namespace
