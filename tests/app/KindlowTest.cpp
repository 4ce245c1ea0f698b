#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Kindlow.h"
#include "app/RegForm.h"
#include "framework/controls/Label.h"
#include "framework/core/Exception.h"
#include "framework/core/Registry.h"
#include "platform/registry/SystemRegistry.h"
#include "tests/app/LearnerFixture.h"

namespace {

using learner_test::BuiltInLines;
using learner_test::LearnerTest;
using learner_test::TypeXml;

using Kindlow = LearnerTest;

TEST_F(Kindlow, DefaultIconValuesGiveFileAndMappedIndex) {
  struct Case {
    const char* value;
    const char* file;
    int index;
  };
  const Case cases[] = {
      {"shell32.dll,-151", "shell32.dll", 66},
      {"shell32.dll,-152", "shell32.dll", 67},
      {"shell32.dll,-153", "shell32.dll", 68},
      {"shell32.dll,-154", "shell32.dll", 69},
      {"shell32.dll,-155", "shell32.dll", 70},
      {"shell32.dll,-156", "shell32.dll", 71},
      {"shell32.dll,-150", "shell32.dll", 150},
      {"shell32.dll,-157", "shell32.dll", 157},
      {"shell32.dll,-5", "shell32.dll", 5},
      {"shell32.dll,12", "shell32.dll", 12},
      {"C:\\icons\\a.png,0", "C:\\icons\\a.png", 0},
      {"C:\\icons\\a.png", "C:\\icons\\a.png", 0},        // no comma: the whole value, index 0
      {"C:\\icons\\a.png,", "C:\\icons\\a.png", 0},       // nothing after the comma: 0
      {"\"C:\\a b\\x.ico\",3", "\"C:\\a b\\x.ico\"", 3},  // used as it stands, quotes kept
      {"%SystemRoot%\\x.dll,1", "%SystemRoot%\\x.dll", 1},
      {"a.dll,-2147483648", "a.dll", 2147483647},  // the one negative without an absolute value
      {"abcd", "-", 0},                            // four characters or fewer are not used
      {"a,-1", "-", 0},
      {"", "-", 0},
  };
  TKindlow learner;
  for (const Case& c : cases) {
    platform::SetTestRegistryValue("text/x-icon\\DefaultIcon", "", REG_SZ, c.value);
    learner.IconFile = "stale";
    learner.IconIndex = -1;
    learner.ReadDefaultIcon("text/x-icon");
    EXPECT_EQ(learner.IconFile, c.file) << c.value;
    EXPECT_EQ(learner.IconIndex, c.index) << c.value;
    learner.Registry->CloseKey();
  }
  // A type without a DefaultIcon key has no icon.
  learner.ReadDefaultIcon("text/x-bare");
  EXPECT_EQ(learner.IconFile, "-");
  EXPECT_EQ(learner.IconIndex, 0);
}

TEST_F(Kindlow, AnIndexThatIsNoNumberRaisesTheConversionError) {
  struct Case {
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {"shell32.dll,x", "'x' is not a valid integer value"},
      // What a comma in an icon path would do; the registry never offers such a path.
      {"C:\\a,b.png,0", "'b.png,0' is not a valid integer value"},
  };
  TKindlow learner;
  for (const Case& c : cases) {
    platform::SetTestRegistryValue("text/x-icon\\DefaultIcon", "", REG_SZ, c.value);
    try {
      learner.ReadDefaultIcon("text/x-icon");
      ADD_FAILURE() << "no error for " << c.value;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
    learner.Registry->CloseKey();
  }
}

TEST_F(Kindlow, LookUpFindsExtensionsWhoseKeyNamesAType) {
  platform::SetTestRegistryValue(".q  ", "", REG_SZ, "text/x-alpha");  // a one-letter extension padded with blanks
  platform::AddTestRegistryKey(".nod");                                // no default value
  platform::SetTestRegistryValue(".emp", "", REG_SZ, "");              // an empty one
  platform::SetTestRegistryValue(".ety", "", REG_SZ, "text/x-empty");
  platform::SetTestRegistryValue("text/x-empty", "", REG_SZ, "");  // a type key with an empty description
  struct Case {
    const char* candidate;
    bool found;
    const char* description;
    bool alphaIcon;
  };
  const Case cases[] = {
      {".ABC", true, "Alpha document", true},
      {".XYZ", false, "-", false},
      {".BAR", true, "application/x-bare", false},  // the type has no key: its name, no icon
      {".C  ", false, "-", false},                  // the database knows ".c", not ".c" and two blanks
      {".Q  ", true, "Alpha document", true},
      {".NOD", false, "-", false},
      {".EMP", false, "-", false},
      {".ETY", true, "text/x-empty", false},
      {".TXT", true, "plain text document", false},
      {".ABC ", false, "-", false},
  };
  TKindlow learner;
  for (const Case& c : cases) {
    EXPECT_EQ(learner.LookUp(c.candidate), c.found) << c.candidate;
    EXPECT_EQ(learner.Description, c.description) << c.candidate;
    EXPECT_EQ(learner.IconFile, c.alphaIcon ? AlphaIcon() : "-") << c.candidate;
    EXPECT_EQ(learner.IconIndex, 0) << c.candidate;
    // Every key is closed again, so the next name is looked up from the root.
    EXPECT_EQ(learner.Registry->CurrentKey(), nullptr) << c.candidate;
  }
}

TEST_F(Kindlow, OnlyTheTenBuiltInExtensionsAreNotOpenedWithTheShell) {
  TKindlow learner;
  for (const std::string& line : BuiltInLines()) {
    EXPECT_NE(learner.Classify(line.substr(0, 4)), 1) << line;
  }
  for (const char* candidate : {".ABC", ".bmp", ".TX ", ".JPEG", ".BMP ", ".C  "}) {
    EXPECT_EQ(learner.Classify(candidate), 1) << candidate;
  }
}

TEST_F(Kindlow, AppendDefaultsAddsTheTenLinesAtTheEnd) {
  WriteFile("PX41\r\n.ABC; a; -; 0; 1;\r\n");
  TKindlow learner;
  learner.AppendDefaults();
  std::vector<std::string> expected = {"PX41", ".ABC; a; -; 0; 1;"};
  expected.insert(expected.end(), BuiltInLines().begin(), BuiltInLines().end());
  EXPECT_EQ(FileLines(), expected);
  // A missing file is made.
  std::filesystem::remove(FilePath());
  learner.AppendDefaults();
  EXPECT_EQ(FileLines(), BuiltInLines());
}

TEST_F(Kindlow, TheLabelShowsEveryFoundExtensionBuiltInOnesIncluded) {
  // ".WMF" is the last extension the database knows: the label keeps it.
  LearnForm->Learner->ScanRegistry();
  EXPECT_EQ(LearnForm->CurExt_L->Caption(), ".WMF Windows metafile");
}

// Odd names in the database: globs that are not "*.ext", long and non-ASCII
// extensions, punctuation, descriptions with ";", "#" (written so that they
// read back) and non-ASCII letters, an icon file whose name holds a comma.
TEST_F(Kindlow, OddDatabaseEntriesAreWrittenAsTheyStandOrLeftOut) {
  db_.Write("system/mime/globs2",
            "50:text/x-alpha:*.abc\n"
            "50:text/x-odd:README*\n"
            "50:text/x-odd:*.[ch]\n"
            "50:text/x-odd:Makefile\n"
            "50:text/x-odd:*~\n"
            "50:text/x-odd:*.averyveryverylongextension\n"
            "50:text/x-odd:*.\xC3\xB1\xC3\xA9\n"  // ".ñé"
            "50:text/x-odd:*.tar.gz\n"
            "50:text/x-odd:*.a_b\n"  // "_" lies beyond the candidates' "Z"
            "50:text/x-cpp:*.c++\n"
            "50:text/x-semiext:*.a;b\n"
            "50:text/x-hashext:*.a#b\n"
            "50:text/x-umlaut:*.uml\n"
            "50:text/x-semi:*.sem\n"
            "50:text/x-comma:*.cma\n");
  for (const auto& [type, comment] :
       std::vector<std::pair<std::string, std::string>>{{"text/x-odd", "odd"},
                                                        {"text/x-cpp", "C++ source code"},
                                                        {"text/x-semiext", "semicolon extension"},
                                                        {"text/x-hashext", "hash extension"},
                                                        {"text/x-umlaut", "Dokument f\xC3\xBCr \xC3\x9C"},
                                                        {"text/x-comma", "comma icon"}}) {
    db_.Write("system/mime/" + type + ".xml", TypeXml(type, comment));
  }
  db_.Write("system/mime/generic-icons", "text/x-comma:odd,name\n");
  db_.WritePng("system/icons/hicolor/32x32/mimetypes/odd,name.png");
  db_.Use();

  // The scan's file takes the old one's place once the built-in lines end it.
  LearnForm->Learner->ScanRegistry();
  LearnForm->Learner->AppendDefaults();
  std::vector<std::string> expected = {
      "PX41",
      ".A#B; hash extension; -; 0; 1;",
      ".A;B; semicolon extension; -; 0; 1;",
      ".ABC; Alpha document; " + AlphaIcon() + "; 0; 1;",
      ".C++; C++ source code; -; 0; 1;",
      ".CMA; comma icon; -; 0; 1;",  // the icon holds a comma: not offered
      ".SEM; semi, colon \xE2\x99\xAF hash; -; 0; 1;",
      ".UML; Dokument f\xC3\xBCr \xC3\x9C; -; 0; 1;",
  };
  expected.insert(expected.end(), BuiltInLines().begin(), BuiltInLines().end());
  EXPECT_EQ(FileLines(), expected);
}

TEST_F(Kindlow, LongLinesKeepTheirFieldsWithinWhatTheTableReads) {
  const std::string longIcon = "C:\\" + std::string(190, 'i') + ".png";
  const std::string umlauts = [] {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "\xC3\xBC";  // 300 bytes
    return text;
  }();
  platform::SetTestRegistryValue(".lng", "", REG_SZ, "text/x-long");
  platform::SetTestRegistryValue("text/x-long", "", REG_SZ, umlauts);
  platform::SetTestRegistryValue("text/x-long\\DefaultIcon", "", REG_SZ, "C:\\icons\\long.png,3");
  platform::SetTestRegistryValue(".lic", "", REG_SZ, "text/x-longicon");
  platform::SetTestRegistryValue("text/x-longicon", "", REG_SZ, "long icon");
  platform::SetTestRegistryValue("text/x-longicon\\DefaultIcon", "", REG_SZ, longIcon + ",2");

  LearnForm->Learner->ScanRegistry();
  LearnForm->Learner->AppendDefaults();
  const std::vector<std::string> lines = FileLines();
  ASSERT_GE(lines.size(), 3u);
  std::string longLine;
  std::string iconLine;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 199u) << line;
    if (line.rfind(".LNG", 0) == 0) longLine = line;
    if (line.rfind(".LIC", 0) == 0) iconLine = line;
  }
  // The description is cut between two characters; the icon fields stay whole.
  const std::string tail = "; C:\\icons\\long.png; 3; 1;";
  ASSERT_GT(longLine.size(), tail.size());
  EXPECT_EQ(longLine.substr(longLine.size() - tail.size()), tail);
  const std::string description = longLine.substr(6, longLine.size() - 6 - tail.size());
  EXPECT_EQ(description, umlauts.substr(0, description.size()));
  EXPECT_EQ(description.size() % 2, 0u);
  EXPECT_GE(longLine.size(), 198u);
  // An icon file too long for any line is left out.
  EXPECT_EQ(iconLine, ".LIC; long icon; -; 0; 1;");
}

}  // namespace
