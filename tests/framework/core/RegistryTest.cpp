#include <gtest/gtest.h>

#include <string>

#include "framework/core/Registry.h"
#include "framework/core/RegistryException.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/TestMimeDatabase.h"

namespace {

class Registry : public ::testing::Test {
 protected:
  Registry() : db_("framework-registry-db") {}

  void SetUp() override {
    db_.Write("system/mime/globs2", "50:text/plain:*.txt\n50:application/x-nodesc:*.nod\n");
    db_.Write("system/mime/text/plain.xml",
              "<?xml version=\"1.0\"?>\n<mime-type type=\"text/plain\">\n"
              "  <comment>plain text document</comment>\n</mime-type>\n");
    db_.Write("system/icons/Adwaita/index.theme",
              "[Icon Theme]\nDirectories=32x32/mimetypes\n[32x32/mimetypes]\nSize=32\nContext=MimeTypes\n");
    db_.WritePng("system/icons/Adwaita/32x32/mimetypes/text-plain.png");
    db_.Use();
    platform::SetDriveMap({{'C', db_.Root(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }

  testing_support::TestMimeDatabase db_;
};

TEST_F(Registry, OpensExistingKeysAndReadsTheirDefaultValue) {
  TRegistry registry;
  EXPECT_EQ(registry.RootKey(), HKEY_CLASSES_ROOT);
  ASSERT_TRUE(registry.OpenKey(".TXT", false));
  EXPECT_EQ(registry.CurrentPath(), ".TXT");
  EXPECT_TRUE(registry.ValueExists(""));
  EXPECT_FALSE(registry.ValueExists("Content Type"));
  EXPECT_EQ(registry.ReadString(""), "text/plain");
  EXPECT_EQ(registry.ReadString("Content Type"), "");  // a missing value reads as empty text

  // Names count from the current key; a leading "\" counts from the root.
  ASSERT_TRUE(registry.OpenKey("\\text/plain", false));
  EXPECT_EQ(registry.ReadString(""), "plain text document");
  EXPECT_TRUE(registry.KeyExists("DefaultIcon"));
  EXPECT_TRUE(registry.KeyExists("\\.txt"));
  EXPECT_FALSE(registry.KeyExists(".txt"));  // not below text/plain
  ASSERT_TRUE(registry.OpenKeyReadOnly("DefaultIcon"));
  EXPECT_EQ(registry.CurrentPath(), "text/plain\\DefaultIcon");
  EXPECT_EQ(registry.ReadString(""), "C:\\system\\icons\\Adwaita\\32x32\\mimetypes\\text-plain.png,0");

  registry.CloseKey();
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.CurrentPath(), "");
  EXPECT_EQ(registry.ReadString(""), "");
  EXPECT_TRUE(registry.KeyExists(".txt"));
  EXPECT_TRUE(registry.KeyExists(".nod"));
  EXPECT_FALSE(registry.KeyExists("application/x-nodesc"));
}

TEST_F(Registry, NeverCreatesAKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(".txt", false));
  EXPECT_FALSE(registry.OpenKey("\\.new", true));
  EXPECT_FALSE(registry.KeyExists("\\.new"));
  EXPECT_EQ(registry.CurrentPath(), ".txt");  // the current key stays
  EXPECT_EQ(registry.ReadString(""), "text/plain");
}

TEST_F(Registry, ReadingAValueThatIsNotTextRaises) {
  platform::SetTestRegistryValue(".bin", "", REG_DWORD, std::string("\x01\0\0\0", 4));
  platform::SetTestRegistryValue(".bin", "Flags", REG_BINARY, "\x02");
  platform::SetTestRegistryValue(".bin", "Path", REG_EXPAND_SZ, "%SystemRoot%\\a.dll");
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(".bin", false));
  const auto message = [&](const std::string& name) {
    try {
      registry.ReadString(name);
    } catch (const ERegistryException& e) {
      return e.Message();
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message(""), "Invalid data type for ''");
  EXPECT_EQ(message("Flags"), "Invalid data type for 'Flags'");
  EXPECT_EQ(registry.ReadString("Path"), "%SystemRoot%\\a.dll");  // expandable text reads as it stands
}

}  // namespace
