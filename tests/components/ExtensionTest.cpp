#include <gtest/gtest.h>

#include <random>

#include "components/Extension.h"
#include "framework/core/Exception.h"
#include "framework/graphics/ImageList.h"
#include "platform/drives/ProgramFolder.h"
#include "tests/components/ComponentTestSupport.h"

using namespace component_test;

namespace {

class Extension : public ::testing::Test {
 protected:
  Extension() : drive_("extension") {}

  // Loads a table file holding `text` (the marker line is not added).
  std::unique_ptr<TExtension> Load(const std::string& text, bool extra = false) {
    WriteFile(drive_.Host("RegInfo.ini"), text);
    auto table = std::make_unique<TExtension>(nullptr);
    table->FileName = "C:\\RegInfo.ini";
    table->LoadExtra = extra;
    table->Init();
    return table;
  }

  static bool Has(const TExtension& table, const std::string& ext) {
    int i = -1, j = -1, k = -1;
    return table.CheckExists(ext, i, j, k);
  }

  TestDrive drive_;
};

struct SplitCase {
  const char* line;
  const char* fields[5];
};

TEST_F(Extension, SplitCommDropsOneCharacterAfterEverySemicolonAndTheLastOfEachField) {
  const SplitCase cases[] = {
      {".BMP; Windows Bitmap; -; 0; 4;", {".BMP", "Windows Bitmap", "-", "0", "4"}},
      // The last field without its ";" loses its last digit.
      {".BMP; Bitmap; -; 0; 12", {".BMP", "Bitmap", "-", "0", "1"}},
      {".BMP; Bitmap; -; 0; 3", {".BMP", "Bitmap", "-", "0", ""}},
      // No blank after the first ";": the description loses its first character.
      {".BMP;Windows Bitmap; -; 0; 4;", {".BMP", "indows Bitmap", "-", "0", "4"}},
      // A "#" ends the line; the blank before it stays.
      {".TXT; Plain # text; x.dll; 5; 3;", {".TXT", "Plain ", "", "", ""}},
      {"# a comment; x; y; z;", {"", "", "", "", ""}},
      // A sixth field is not used.
      {".A; b; c; d; e; f; g;", {".A", "b", "c", "d", "e"}},
      {"x", {"", "", "", "", ""}},
  };
  TExtension table(nullptr);
  for (const SplitCase& c : cases) {
    EXPECT_TRUE(table.SplitComm(c.line)) << c.line;
    for (int n = 0; n < 5; ++n) EXPECT_EQ(table.ExtFields[n + 1], c.fields[n]) << c.line << " field " << n + 1;
  }
  table.ExtFields[2] = "left over";
  EXPECT_FALSE(table.SplitComm(""));
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(table.ExtFields[n], "");
}

TEST_F(Extension, IndexRuleFindsPaddedShortExtensionsAndRejectsCharactersOutsideTheTable) {
  const auto table = Load(
      "PX41\r\n.BMP; Bitmap; -; 0; 4;\r\n.C  ; C source; -; 0; 3;\r\n.GZ ; Gzip; -; 0; 1;\r\n"
      ".001; Part one; -; 0; 2;\r\n.[Z9; Bracket; -; 0; 2;\r\n");
  for (const char* ext : {".bmp", ".Bmp", ".BMP", ".c", ".C", ".c ", ".gz", ".001", ".[z9", "xbmp"})
    EXPECT_TRUE(Has(*table, ext)) << ext;
  for (const char* ext :
       {"", ".", ".JPEG", ".bm", "bmp", ".b_p", ".bm_", ".]mp", ".]", ".\x7fmp", ".\xc3\xa9", ".b\xe9p"})
    EXPECT_FALSE(Has(*table, ext)) << ext;
  int i = -1, j = -1, k = -1;
  ASSERT_TRUE(table->CheckExists(".001", i, j, k));
  EXPECT_EQ(i, 0);
  EXPECT_EQ(j, '0' - 32);
  EXPECT_EQ(k, '1' - 32);
  ASSERT_TRUE(table->CheckExists(".c", i, j, k));
  EXPECT_EQ(i, 'C' - 48);
  EXPECT_EQ(j, 0);
  EXPECT_EQ(k, 0);
  // A line whose extension lies outside the table is ignored.
  EXPECT_FALSE(Has(*Load("PX41\r\n._AB; Under; -; 0; 1;\r\n.A_B; Under; -; 0; 1;\r\n"), "._ab"));
  // A failed look-up leaves the indices as they were.
  i = j = k = 77;
  EXPECT_FALSE(table->CheckExists(".xyz", i, j, k));
  EXPECT_EQ(i + j + k, 3 * 77);
}

TEST_F(Extension, LinesFillEntriesAsTheReadingRulesSay) {
  const auto table = Load(
      "PX41\n"
      ".TXT; Text Document; shell32.dll; 67; 4;\n"
      ".BMP; Windows Bitmap; -; 0; 4;\n"
      ".HSH; Cut # here; shell32.dll; 67; 4;\n"
      ".NEG; Negative; shell32.dll; -3; 2;\n"
      ".TWO; First; -; 0; 1;\n"
      ".TWO; Second; shell32.dll; 66; 6;\n"
      ".VT ; View type; -; 0; -7x;\n"
      "\n"
      "#.COM; comment; -; 0; 1;\n"
      ".AB; too short; -; 0; 1;\n");
  int i, j, k;
  ASSERT_TRUE(table->CheckExists(".txt", i, j, k));
  TExtSearch& txt = table->ExtTable[i][j][k];
  EXPECT_EQ(txt.Description, "Text Document");
  EXPECT_EQ(txt.IconFile, "shell32.dll");
  EXPECT_EQ(txt.IconIndex, 67);
  EXPECT_EQ(txt.ViewType, 4);
  EXPECT_FALSE(txt.IconLoaded);

  ASSERT_TRUE(table->CheckExists(".bmp", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].IconFile, "P:\\Windows\\System32\\SHELL32.DLL");
  EXPECT_EQ(table->ShellIconFile, "P:\\Windows\\System32\\SHELL32.DLL");
  EXPECT_EQ(table->ExtTable[i][j][k].IconIndex, 0);

  ASSERT_TRUE(table->CheckExists(".hsh", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].Description, "Cut ");
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, 0);
  EXPECT_EQ(table->ExtTable[i][j][k].IconFile, table->ShellIconFile);

  ASSERT_TRUE(table->CheckExists(".two", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].Description, "Second");
  EXPECT_EQ(table->ExtTable[i][j][k].IconIndex, 66);
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, 6);

  ASSERT_TRUE(table->CheckExists(".vt", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, -7);

  EXPECT_FALSE(Has(*table, ".com"));
  EXPECT_FALSE(Has(*table, ".ab"));

  // A negative icon index is kept until the icon is first loaded, which
  // takes its absolute value.
  ASSERT_TRUE(table->CheckExists(".neg", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].IconIndex, -3);
  const TExtSearch neg = table->GetExtSearch(i, j, k);
  EXPECT_EQ(neg.IconIndex, 3);
  EXPECT_EQ(table->ExtTable[i][j][k].IconIndex, 3);
  EXPECT_EQ(neg.ImageIndex, 0);
  EXPECT_TRUE(neg.IconLoaded);
  EXPECT_TRUE(drive_.boxes.Shown().empty());
}

TEST_F(Extension, IconsGoIntoBothListsAtOnePositionAfterTheExtraImages) {
  for (const bool extra : {false, true}) {
    const auto table = Load("PX41\r\n.TXT; Text; shell32.dll; 67; 4;\r\n.DOC; Doc; -; 0; 4;\r\n", extra);
    const int base = extra ? 2 : 0;
    ASSERT_EQ(table->SmallIcons->Count(), base);
    ASSERT_EQ(table->LargeIcons->Count(), base);
    EXPECT_EQ(table->SmallIcons->Width(), 16);
    EXPECT_EQ(table->LargeIcons->Width(), 32);
    EXPECT_EQ(table->SortUpImage, 0);
    EXPECT_EQ(table->SortDownImage, extra ? 1 : 0);
    int i, j, k;
    ASSERT_TRUE(table->CheckExists(".txt", i, j, k));
    EXPECT_EQ(table->GetExtSearch(i, j, k).ImageIndex, base);
    ASSERT_TRUE(table->CheckExists(".doc", i, j, k));
    EXPECT_EQ(table->GetExtSearch(i, j, k).ImageIndex, base + 1);
    EXPECT_EQ(table->GetExtSearch(i, j, k).ImageIndex, base + 1);
    EXPECT_EQ(table->SmallIcons->Count(), base + 2);
    EXPECT_EQ(table->LargeIcons->Count(), base + 2);
  }
}

TEST_F(Extension, AnIconThatCannotBeTakenIsTriedOnce) {
  const auto table = Load("PX41\r\n.PIC; Picture; C:\\icons\\pic.png; 0; 4;\r\n");
  int i, j, k;
  ASSERT_TRUE(table->CheckExists(".pic", i, j, k));
  EXPECT_EQ(table->GetExtSearch(i, j, k).ImageIndex, -1);
  // The icon file appears now; it is not tried again.
  WriteFile(drive_.Host("icons/pic.png"), SamplePng());
  const TExtSearch again = table->GetExtSearch(i, j, k);
  EXPECT_EQ(again.ImageIndex, -1);
  EXPECT_TRUE(again.IconLoaded);
  EXPECT_EQ(table->SmallIcons->Count(), 0);
  EXPECT_EQ(table->LargeIcons->Count(), 0);
}

TEST_F(Extension, AMissingOrUnmarkedFileIsReportedAndLeavesTheTableEmpty) {
  struct Case {
    const char* content;  // nullptr: no file
    const char* message;
  };
  const Case cases[] = {
      {nullptr, "Couldn't open: C:\\RegInfo.ini"},
      {"", "Invalid File\nPlease run 'Kindlow.exe'"},
      {"PX4\r\n.TXT; Text; -; 0; 4;\r\n", "Invalid File\nPlease run 'Kindlow.exe'"},
      {"px41\r\n.TXT; Text; -; 0; 4;\r\n", "Invalid File\nPlease run 'Kindlow.exe'"},
  };
  for (const Case& c : cases) {
    fs::remove(drive_.Host("RegInfo.ini"));
    drive_.boxes.Clear();
    auto table = std::make_unique<TExtension>(nullptr);
    table->FileName = "C:\\RegInfo.ini";
    if (c.content != nullptr) WriteFile(drive_.Host("RegInfo.ini"), c.content);
    table->Init();
    ASSERT_EQ(drive_.boxes.Shown().size(), 1u);
    EXPECT_EQ(drive_.boxes.Shown()[0].Text, c.message);
    EXPECT_EQ(drive_.boxes.Shown()[0].Flags & MB_TYPEMASK, MB_OK);
    EXPECT_FALSE(Has(*table, ".txt"));
    EXPECT_NE(table->SmallIcons, nullptr);
  }
}

TEST_F(Extension, AnIconIndexThatIsNoNumberEndsTheReadingWithTheConversionError) {
  WriteFile(drive_.Host("RegInfo.ini"),
            "PX41\r\n.ONE; One; -; 0; 1;\r\n"
            // The ";" in the description moves the icon file into field 4.
            ".BAD; Semi; colon; C:\\icon.png; 0; 5;\r\n.AFT; After; -; 0; 1;\r\n");
  TExtension table(nullptr);
  table.FileName = "C:\\RegInfo.ini";
  try {
    table.Init();
    FAIL() << "no conversion error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'C:\\icon.png' is not a valid integer value");
  }
  int i, j, k;
  EXPECT_TRUE(Has(table, ".one"));
  EXPECT_FALSE(Has(table, ".aft"));
  ASSERT_TRUE(table.CheckExists(".bad", i, j, k));
  EXPECT_EQ(table.ExtTable[i][j][k].Description, "Semi");
  EXPECT_EQ(table.ExtTable[i][j][k].IconFile, "colon");
  EXPECT_EQ(table.ExtTable[i][j][k].ViewType, 0);
  // The file was closed: it can be replaced at once.
  EXPECT_TRUE(fs::remove(drive_.Host("RegInfo.ini")));
}

TEST_F(Extension, ExtraImagesNeedTheResourceLibrary) {
  const fs::path empty = drive_.Root() / "noprogram";
  fs::create_directories(empty);
  platform::SetProgramHostFolder(empty.string());
  TExtension table(nullptr);
  table.FileName = "C:\\RegInfo.ini";
  table.LoadExtra = true;
  try {
    table.Init();
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Unable to Find DLL: PX4Images.dll");
  }
  EXPECT_EQ(table.SmallIcons->Count(), 0);
  // The file was not opened.
  EXPECT_TRUE(drive_.boxes.Shown().empty());
}

TEST_F(Extension, SetExtSearchOverwritesAWholeEntryAndIndicesAreChecked) {
  TExtension table(nullptr);
  TExtSearch record;
  record.Exists = true;
  record.Description = "Set";
  record.IconFile = "x";
  record.ImageIndex = 9;
  record.IconLoaded = true;
  record.ViewType = 7;
  table.SetExtSearch(43, 59, 59, record);
  int i, j, k;
  EXPECT_TRUE(table.CheckExists(".[[[", i, j, k));
  EXPECT_EQ(table.GetExtSearch(43, 59, 59).Description, "Set");
  EXPECT_EQ(table.GetExtSearch(43, 59, 59).ImageIndex, 9);
  EXPECT_THROW(table.GetExtSearch(44, 0, 0), Exception);
  EXPECT_THROW(table.GetExtSearch(0, -1, 0), Exception);
  EXPECT_THROW(table.SetExtSearch(0, 0, 60, record), Exception);
}

// Table files that no learner wrote: they load what the rules allow.
TEST_F(Extension, BadTableFilesLoadWhatTheRulesAllow) {
  // A line far over 199 characters keeps its first 199; the next line still counts.
  const std::string longDescription(500, 'd');
  auto table = Load("PX41\r\n.LNG; " + longDescription + "; -; 0; 4;\r\n.NXT; Next; -; 0; 2;\r\n");
  int i, j, k;
  ASSERT_TRUE(table->CheckExists(".lng", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].Description, std::string(199 - 6 - 1, 'd'));
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, 0);
  EXPECT_TRUE(Has(*table, ".nxt"));

  // NUL bytes are characters; the last line has no line end; a marker line
  // longer than four characters counts by its first four.
  table = Load("PX41 and more\n.NUL; " + std::string("a\0b", 3) + "; -; 0; 5;\n.END; End; -; 0; 3");
  ASSERT_TRUE(table->CheckExists(".nul", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].Description, std::string("a\0b", 3));
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, 5);
  ASSERT_TRUE(table->CheckExists(".end", i, j, k));
  EXPECT_EQ(table->ExtTable[i][j][k].ViewType, 0);  // "3" without ";" loses its digit

  // The marker alone, without a line end.
  table = Load("PX41");
  EXPECT_TRUE(drive_.boxes.Shown().empty());

  // A huge file of random bytes with no line end for megabytes, then lines.
  std::mt19937 random(7);
  std::string noise(8 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  for (char& c : noise)
    if (c == '\n') c = 'n';
  try {
    table = Load("PX41\n" + noise + "\n.OK ; Fine; -; 0; 2;\n" + noise.substr(0, 1 << 20));
  } catch (const EConvertError&) {
    // Noise may hold a line with an icon file and no number; that is the rule.
  }
  EXPECT_TRUE(drive_.boxes.Shown().empty());

  // Random bytes with many line ends: no crash, no hang.
  for (char& c : noise)
    if ((c & 0x3F) == 0) c = '\n';
  try {
    table = Load("PX41\n" + noise);
  } catch (const EConvertError&) {
  }
  // The line after a long binary line counts.
  table = Load("PX41\n" + std::string(1 << 20, '\xff') + "\n.OK ; Fine; -; 0; 2;\n");
  EXPECT_TRUE(Has(*table, ".ok"));
}

}  // namespace
