#include <gtest/gtest.h>

#include <link.h>
#include <filesystem>
#include <fstream>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/libraries/Library.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

using testing_support::DrivePathOnRoot;

const fs::path kProgramDir = PELLIX_PROGRAM_DIR;

// Width and height from a PNG file's header, or {0, 0} when it is not a PNG.
std::pair<int, int> PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || png.compare(12, 4, "IHDR") != 0) return {0, 0};
  const auto be32 = [&](size_t at) {
    int v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

// Some shared object of this process that is not a resource library.
fs::path ForeignSharedObject() {
  fs::path found;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        const std::string name = info->dlpi_name ? info->dlpi_name : "";
        if (name.find(".so") == std::string::npos || !fs::is_regular_file(name)) return 0;
        *static_cast<fs::path*>(out) = name;
        return 1;
      },
      &found);
  return found;
}

class Library : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetProgramHostFolder(kProgramDir.string());
    platform::SetDriveMap({{'C', "/", 3}});
    scratch_ = testing_support::FreshFolder("library");
  }
  void TearDown() override {
    platform::SetProgramHostFolder("");
    platform::UseDefaultDriveMap();
  }
  fs::path scratch_;
};

TEST_F(Library, FindsTheImageLibraryInTheProgramFolderInAnyCase) {
  for (const char* name : {"PX4Images.dll", "px4images.dll", "PX4IMAGES.DLL"}) {
    HMODULE module = LoadLibraryA(name);
    ASSERT_NE(module, nullptr) << name;
    EXPECT_TRUE(LoadResourceBitmap(module, "SM_SDIR1").has_value()) << name;
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST_F(Library, FallsBackToTheSystemFolderAndPrefersTheProgramFolder) {
  HMODULE shell = LoadLibraryA("shell32.dll");
  ASSERT_NE(shell, nullptr);
  EXPECT_TRUE(LoadResourceIcon(shell, 0).has_value());
  FreeLibrary(shell);

  // A program folder of its own, with lower-case system folders, whose own
  // "Shell32.dll" is really the image library: the program folder wins.
  fs::create_directories(scratch_ / "windows" / "system32");
  fs::copy_file(kProgramDir / "PX4Images.dll", scratch_ / "Shell32.dll");
  fs::copy_file(kProgramDir / "Windows" / "System32" / "SHELL32.DLL",
                scratch_ / "windows" / "system32" / "SHELL32.DLL");
  platform::SetProgramHostFolder(scratch_.string());
  HMODULE first = LoadLibraryA("SHELL32.DLL");
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(LoadResourceBitmap(first, "SM_SDIR1").has_value());
  FreeLibrary(first);
  fs::remove(scratch_ / "Shell32.dll");
  HMODULE second = LoadLibraryA("SHELL32.DLL");
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(LoadResourceIcon(second, 67).has_value());
  FreeLibrary(second);
}

TEST_F(Library, LoadsADrivePathAndNothingThatIsNotAResourceLibrary) {
  HMODULE byPath = LoadLibraryA(DrivePathOnRoot(kProgramDir / "PX4Images.dll"));
  ASSERT_NE(byPath, nullptr);
  FreeLibrary(byPath);

  std::ofstream(scratch_ / "Text.dll") << "not a library\n";
  const fs::path foreign = ForeignSharedObject();
  ASSERT_FALSE(foreign.empty());
  fs::copy_file(foreign, scratch_ / "Other.dll");
  fs::create_directories(scratch_ / "Folder.dll");
  platform::SetProgramHostFolder(scratch_.string());
  for (const char* name : {"Missing.dll", "Text.dll", "Other.dll", "Folder.dll", "", "..", "PX4Images.dll"})
    EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
  EXPECT_EQ(LoadLibraryA(DrivePathOnRoot(foreign)), nullptr);
  EXPECT_EQ(LoadLibraryA(DrivePathOnRoot(kProgramDir / "Nothing.dll")), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST_F(Library, EveryImageLibraryBitmapIsAPngOfItsSize) {
  const std::pair<const char*, int> bitmaps[] = {
      {"SM_SDIR1", 16},  {"SM_SDIR2", 16},   {"LG_FOLDER1", 32}, {"LG_FOLDER2", 32}, {"SM_COMPUTER", 16},
      {"SM_DRIVE0", 16}, {"SM_DRIVE1", 16},  {"SM_DRIVE2", 16},  {"SM_DRIVE3", 16},  {"SM_DRIVE4", 16},
      {"SM_DRIVE5", 16}, {"SM_FOLDER1", 16}, {"SM_FOLDER2", 16}, {"STD_UP", 16},     {"STD_MOVE", 16},
      {"STD_COPY", 16},  {"STD_PASTE", 16},  {"STD_VIEW", 16},   {"STD_DELETE", 16}, {"STD_REFRESH", 16},
      {"STD_RUN", 16},   {"PELLIX", 32},     {"PELLIX16", 16}};
  HMODULE module = LoadLibraryA("PX4Images.dll");
  ASSERT_NE(module, nullptr);
  for (const auto& [name, size] : bitmaps) {
    const auto png = LoadResourceBitmap(module, name);
    ASSERT_TRUE(png.has_value()) << name;
    EXPECT_EQ(PngSize(*png), std::make_pair(size, size)) << name;
  }
  const auto about = LoadResourceBitmap(module, "ABOUT");  // the about box's picture is not square
  ASSERT_TRUE(about.has_value());
  EXPECT_EQ(PngSize(*about), std::make_pair(65, 133));
  EXPECT_EQ(LoadResourceBitmap(module, "sm_folder2"), LoadResourceBitmap(module, "SM_FOLDER2"));
  EXPECT_FALSE(LoadResourceBitmap(module, "SM_DRIVE6").has_value());
  EXPECT_FALSE(LoadResourceIcon(module, 0).has_value());
  EXPECT_EQ(ResourceIconCount(module), 0);
  FreeLibrary(module);
}

TEST_F(Library, StockIconsByPosition) {
  HMODULE shell = LoadLibraryA("SHELL32.DLL");
  ASSERT_NE(shell, nullptr);
  for (int index : {0, 3, 4, 8, 15, 66, 67, 71}) {
    const auto png = LoadResourceIcon(shell, index);
    ASSERT_TRUE(png.has_value()) << index;
    EXPECT_EQ(PngSize(*png), std::make_pair(32, 32)) << index;
  }
  const int count = ResourceIconCount(shell);
  EXPECT_EQ(count, 72);
  for (int index : {-1, 5, count, count + 100}) EXPECT_FALSE(LoadResourceIcon(shell, index).has_value()) << index;
  EXPECT_FALSE(LoadResourceBitmap(shell, "SM_SDIR1").has_value());
  FreeLibrary(shell);
}

}  // namespace
