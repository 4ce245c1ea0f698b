#include <gtest/gtest.h>

#include <filesystem>

#include "framework/core/Exception.h"
#include "framework/core/IniFile.h"
#include "framework/core/MemIniFile.h"
#include "framework/core/StringList.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/TempDrive.h"

namespace {

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("inifile");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }
  void Put(const std::string& text) { testing_support::WriteFile(root_ / "Settings.ini", text); }
  std::string Get() { return testing_support::ReadFile(root_ / "Settings.ini"); }
  std::filesystem::path root_;
  const std::string name_ = "C:\\Settings.ini";
};

TEST_F(IniFile, ValueSyntax) {
  Put("[ENV]\r\n"
      "hex1=$1F\r\nhex2=0x1F\r\nhex3=x1f\r\nhex4=0X1f\r\nblank= 12\r\nneg=-5\r\nword=twelve\r\n"
      "mixed=12abc\r\nempty=\r\ncolour=-2147483633\r\n"
      "dq=\"  quoted  \"\r\nsq='single'\r\nhalf=\"open\r\nspaced =   a b   \t\r\n");
  TIniFile ini(name_);
  const struct {
    const char* key;
    int value;
  } integers[] = {{"hex1", 31}, {"hex2", 31}, {"hex3", 31}, {"hex4", 31},   {"blank", 12},          {"neg", -5},
                  {"word", 8},  {"mixed", 8}, {"empty", 8}, {"missing", 8}, {"colour", -2147483633}};
  for (const auto& c : integers) EXPECT_EQ(ini.ReadInteger("ENV", c.key, 8), c.value) << c.key;
  EXPECT_EQ(ini.ReadString("ENV", "dq", ""), "  quoted  ");
  EXPECT_EQ(ini.ReadString("ENV", "sq", ""), "single");
  EXPECT_EQ(ini.ReadString("ENV", "half", ""), "\"open");
  EXPECT_EQ(ini.ReadString("ENV", "spaced", ""), "a b");
  EXPECT_EQ(ini.ReadString("ENV", "empty", "default"), "");
  EXPECT_TRUE(ini.ReadBool("ENV", "neg", false));
  EXPECT_FALSE(ini.ReadBool("ENV", "missing", false));
}

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
  TIniFile none(name_);
  EXPECT_EQ(none.ReadString("PX41", "BIN", "($PX4)Quorvin.exe"), "($PX4)Quorvin.exe");
  EXPECT_EQ(none.ReadInteger("VIEW", "COL1", 145), 145);
  EXPECT_TRUE(none.ReadBool("VIEW", "LBarVis", true));
  EXPECT_FALSE(none.SectionExists("VIEW"));
  Put("[VIEW]\nCOL1=9\n");
  EXPECT_EQ(none.ReadInteger("ENV", "COL1", 145), 145);
  EXPECT_EQ(none.ReadInteger("VIEW", "COL2", 70), 70);
}

TEST_F(IniFile, SectionsAndKeysAreCaseBlindAndTheFirstCounts) {
  Put("; settings\n[px41]\nbin = D:\\q.exe\nBIN=second\n[PX41]\nCD=later\n");
  TIniFile ini(name_);
  EXPECT_EQ(ini.ReadString("PX41", "BIN", ""), "D:\\q.exe");
  EXPECT_EQ(ini.ReadString("Px41", "Bin", ""), "D:\\q.exe");
  EXPECT_TRUE(ini.SectionExists("PX41"));
  EXPECT_TRUE(ini.ValueExists("px41", "BIN"));
  EXPECT_FALSE(ini.ValueExists("px41", "settings"));
  TStringList keys;
  ini.ReadSection("PX41", &keys);
  EXPECT_EQ(keys.Text(), "bin\r\nBIN\r\n");
  ini.ReadSections(&keys);
  EXPECT_EQ(keys.Text(), "px41\r\nPX41\r\n");
}

TEST_F(IniFile, ValuesReadAsAtMost2047Characters) {
  Put("[A]\nlong=" + std::string(3000, 'x') + "\nexact=" + std::string(2047, 'y') + "\n");
  TIniFile ini(name_);
  EXPECT_EQ(ini.ReadString("A", "long", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("A", "exact", ""), std::string(2047, 'y'));
}

TEST_F(IniFile, EraseAndRewriteReopensTheSectionAfterTheOthers) {
  const std::string env = "[ENV]\r\n; chosen by the options program\r\nFName=Arial\r\n\r\n";
  const std::string px41 = "[PX41]\nBIN=($PX4)Quorvin.exe\n";
  Put(env + "[VIEW]\r\nCOL1=100\r\nHand=1\r\n; note\r\n" + px41);
  TIniFile ini(name_);
  ini.EraseSection("view");
  EXPECT_EQ(Get(), env + px41);
  ini.WriteInteger("VIEW", "COL1", 145);
  ini.WriteInteger("VIEW", "MainWidth", 800);
  ini.WriteBool("VIEW", "LBarVis", false);
  ini.WriteInteger("VIEW", "BackCl", -2147483633);
  ini.UpdateFile();
  EXPECT_EQ(Get(), env + px41 + "[VIEW]\r\nCOL1=145\r\nMainWidth=800\r\nLBarVis=0\r\nBackCl=-2147483633\r\n");
}

TEST_F(IniFile, WritesReplaceOrAddKeysInPlace) {
  Put("[A]\nx = 1\ny=2\n\n[B]\nz=3");
  TIniFile ini(name_);
  ini.WriteString("a", "X", "10");
  ini.WriteString("A", "w", "new");
  ini.WriteString("B", "v", "4");
  EXPECT_EQ(Get(), "[A]\nx =10\ny=2\nw=new\n\n[B]\nz=3\nv=4\n");
  ini.WriteString("A", "y", "2");
  EXPECT_EQ(ini.ReadString("A", "w", ""), "new");
}

TEST_F(IniFile, NewFileIsCreated) {
  TIniFile ini(name_);
  ini.WriteBool("VIEW", "MBarVis", true);
  EXPECT_EQ(Get(), "[VIEW]\r\nMBarVis=1\r\n");
  ini.EraseSection("VIEW");
  EXPECT_EQ(Get(), "");
}

TEST_F(IniFile, RefusedWriteRaisesAndKeepsTheOldContent) {
  const std::string old = "[VIEW]\r\nCOL1=100\r\n";
  Put(old);
  std::filesystem::permissions(root_ / "Settings.ini", std::filesystem::perms(0444));
  TIniFile ini(name_);
  for (const auto& write : std::vector<std::function<void()>>{[&] { ini.EraseSection("VIEW"); },
                                                              [&] { ini.WriteInteger("VIEW", "COL1", 5); },
                                                              [&] { ini.WriteString("ENV", "FName", "Arial"); }}) {
    try {
      write();
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Unable to write to C:\\Settings.ini");
    }
    EXPECT_EQ(Get(), old);
  }
  // Unchanged values need no write and succeed.
  ini.WriteInteger("VIEW", "COL1", 100);
}

TEST_F(IniFile, WriteIntoAMissingFolderRaises) {
  TIniFile ini("C:\\Missing\\Settings.ini");
  try {
    ini.WriteInteger("VIEW", "COL1", 1);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to write to C:\\Missing\\Settings.ini");
  }
  EXPECT_FALSE(std::filesystem::exists(root_ / "Missing"));
}

// An editor's UTF-8 byte-order mark does not hide the first section, and
// stays at the start of what is written back.
TEST_F(IniFile, AByteOrderMarkIsSkippedWhenReadAndKeptWhenWritten) {
  const std::string mark = "\xEF\xBB\xBF";
  Put(mark + "[VIEW]\r\nCOL1=100\r\n[ENV]\r\nFSize=9\r\n");
  TIniFile ini(name_);
  EXPECT_TRUE(ini.SectionExists("VIEW"));
  EXPECT_EQ(ini.ReadInteger("VIEW", "COL1", 145), 100);
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections[0], "VIEW");
  ini.WriteInteger("VIEW", "COL1", 120);
  EXPECT_EQ(Get(), mark + "[VIEW]\r\nCOL1=120\r\n[ENV]\r\nFSize=9\r\n");
  ini.EraseSection("VIEW");
  EXPECT_EQ(Get(), mark + "[ENV]\r\nFSize=9\r\n");
  TMemIniFile mem(name_);
  mem.WriteInteger("VIEW", "COL1", 7);
  mem.UpdateFile();
  EXPECT_EQ(Get(), mark + "[ENV]\r\nFSize=9\r\n[VIEW]\r\nCOL1=7\r\n");
  // A mark alone is no section, nor is one that is not at the start.
  Put("x" + mark + "[VIEW]\r\nCOL1=100\r\n");
  EXPECT_FALSE(ini.SectionExists("VIEW"));
}

// Changes made in memory are read back at once and reach the file together,
// in one replacement, when the file is updated.
TEST_F(IniFile, AMemoryFileWritesEveryChangeAtOnceOnUpdate) {
  const std::string old = "; kept\r\n[VIEW]\r\nCOL1=100\r\nExtra=1\r\n[ENV]\r\nFSize=9\r\n";
  Put(old);
  TMemIniFile ini(name_);
  ini.EraseSection("VIEW");
  EXPECT_FALSE(ini.SectionExists("VIEW"));
  ini.WriteInteger("VIEW", "COL1", 120);
  ini.WriteBool("VIEW", "LBarVis", false);
  EXPECT_EQ(ini.ReadInteger("VIEW", "COL1", 0), 120);
  EXPECT_EQ(Get(), old) << "nothing reaches the file before the update";
  ini.UpdateFile();
  EXPECT_EQ(Get(), "; kept\r\n[ENV]\r\nFSize=9\r\n[VIEW]\r\nCOL1=120\r\nLBarVis=0\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), std::filesystem::directory_iterator()), 1);
  // Without a change the update writes nothing: no file is made.
  TMemIniFile none("C:\\None.ini");
  EXPECT_EQ(none.ReadString("VIEW", "COL1", "d"), "d");
  none.UpdateFile();
  EXPECT_FALSE(std::filesystem::exists(root_ / "None.ini"));
}

TEST_F(IniFile, AMemoryFileTheSystemRefusesRaisesOnUpdateAndStaysAsItWas) {
  const std::string old = "[VIEW]\r\nCOL1=100\r\n";
  Put(old);
  std::filesystem::permissions(root_ / "Settings.ini", std::filesystem::perms(0444));
  TMemIniFile ini(name_);
  ini.EraseSection("VIEW");
  ini.WriteInteger("VIEW", "COL1", 100);  // the same text again still counts as a write
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to write to C:\\Settings.ini");
  }
  EXPECT_EQ(Get(), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), std::filesystem::directory_iterator()), 1);
}

}  // namespace
