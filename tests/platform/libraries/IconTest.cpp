#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/libraries/Icon.h"
#include "platform/libraries/Library.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

using testing_support::DrivePathOnRoot;

const fs::path kProgramDir = PELLIX_PROGRAM_DIR;
const fs::path kShell = kProgramDir / "Windows" / "System32" / "SHELL32.DLL";

// A picture of the image library, as a PNG file's bytes.
std::string LibraryPicture(const char* name) {
  HMODULE module = LoadLibraryA("PX4Images.dll");
  if (module == nullptr) return {};
  std::string png = LoadResourceBitmap(module, name).value_or("");
  FreeLibrary(module);
  return png;
}

bool IsPng(const HICON& icon) { return icon && icon->imageBytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0; }

class Icon : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetProgramHostFolder(kProgramDir.string());
    platform::SetDriveMap({{'C', "/", 3}});
    dir_ = testing_support::FreshFolder("icons");
  }
  void TearDown() override {
    platform::SetProgramHostFolder("");
    platform::UseDefaultDriveMap();
  }
  void Write(const std::string& name, const std::string& bytes) { testing_support::WriteFile(dir_ / name, bytes); }
  HICON Extract(const std::string& name, unsigned index) { return ExtractIconA(DrivePathOnRoot(dir_ / name), index); }
  fs::path dir_;
};

TEST_F(Icon, StockIconsOfTheSystemLibraryByBareNameAndPath) {
  for (const char* name : {"shell32.dll", "SHELL32.DLL"}) {
    for (unsigned index : {0u, 66u, 67u}) EXPECT_TRUE(IsPng(ExtractIconA(name, index))) << name << " " << index;
    EXPECT_EQ(ExtractIconA(name, 72), nullptr);
  }
  EXPECT_TRUE(IsPng(ExtractIconA(DrivePathOnRoot(kShell), 67)));
  EXPECT_EQ(ExtractIconA(DrivePathOnRoot(kShell), 5), nullptr);
  // A resource library is known by its content, not by its name.
  fs::copy_file(kShell, dir_ / "stock.bin");
  const HICON copied = Extract("stock.bin", 66);
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->imageBytes, ExtractIconA("shell32.dll", 66)->imageBytes);
}

TEST_F(Icon, AnImageFileIsOneIconAtPositionZero) {
  const std::string png = LibraryPicture("SM_FOLDER1");
  ASSERT_FALSE(png.empty());
  Write("folder.png", png);
  const HICON icon = Extract("folder.png", 0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->imageBytes, png);
  EXPECT_EQ(Extract("folder.png", 1), nullptr);
}

TEST_F(Icon, FilesAreJudgedByTheirContent) {
  struct Case {
    const char* name;
    std::string bytes;
    bool icon;
  };
  const std::string png = LibraryPicture("SM_SDIR1");
  const Case cases[] = {
      {"picture.dat", png, true},
      {"theme.xpm", "/* XPM */\nstatic char* x[] = {\"1 1 1 1\", \"a c #000000\", \"a\"};\n", true},
      {"theme.svg", "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\"/>\n", true},
      {"photo.jpg", std::string("\xff\xd8\xff\xe0\0\x10JFIF", 10), true},
      {"anim.gif", "GIF89a\x01\0\x01\0", true},
      {"notes.txt", "just some text\n", false},
      {"fake.png", "not a picture\n", false},
      {"empty.ico", "", false},
      {"bmw.txt", "BMW service notes, long enough to look at\n", false},
  };
  for (const Case& c : cases) {
    Write(c.name, c.bytes);
    EXPECT_EQ(Extract(c.name, 0) != nullptr, c.icon) << c.name;
  }
}

TEST_F(Icon, MissingFilesFoldersAndProgramsGiveNone) {
  fs::create_directories(dir_ / "folder.png");
  fs::copy_file("/proc/self/exe", dir_ / "program.exe");
  for (const char* name : {"missing.png", "folder.png", "program.exe"}) EXPECT_EQ(Extract(name, 0), nullptr) << name;
  EXPECT_EQ(ExtractIconA("", 0), nullptr);
  EXPECT_EQ(ExtractIconA("nothing.dll", 0), nullptr);
  EXPECT_EQ(ExtractIconA("Q:\\nowhere.png", 0), nullptr);
}

}  // namespace
