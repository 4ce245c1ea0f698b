#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Kindlow.h"
#include "app/RegForm.h"
#include "components/Extension.h"
#include "framework/core/Exception.h"
#include "platform/registry/SystemRegistry.h"
#include "tests/app/LearnerFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

using learner_test::LearnerTest;
using learner_test::TypeXml;

using LearnedTable = LearnerTest;

// The file-type table reads what the learner wrote, as the start-up does
// right after a first run.
TEST_F(LearnedTable, TheTableLoadsTheLearnedTypes) {
  db_.Write("system/mime/globs2",
            "50:text/x-alpha:*.abc\n"
            "50:application/x-bare:*.bar\n"
            "50:application/pkcs7-mime:*.p7c\n"
            "50:text/x-c:*.c\n"
            "50:text/plain:*.txt\n");
  db_.Write("system/mime/application/pkcs7-mime.xml", TypeXml("application/pkcs7-mime", "PKCS#7 file"));
  db_.Use();
  testing_support::ScriptedMessageBoxes boxes;
  LearnForm->ShowModal();

  TExtension table(nullptr);
  table.FileName = LearnProgramDir() + "reginfo.ini";
  table.Init();
  EXPECT_TRUE(boxes.Shown().empty());
  struct Case {
    const char* extension;
    bool found;
    const char* description;
    int viewType;
  };
  const Case cases[] = {
      {".abc", true, "Alpha document", 1},
      {".BAR", true, "application/x-bare", 1},
      // Written with the sharp sign, it reads back whole with its view type.
      {".p7c", true,
       "PKCS\xE2\x99\xAF"
       "7 file",
       1},
      {".c", false, "", 0},  // never learned: not probed as ".c" alone
      {".txt", true, "Text Document", 4},
      {".wmf", true, "Windows Meta File", 4},
  };
  for (const Case& c : cases) {
    int i = -1, j = -1, k = -1;
    ASSERT_EQ(table.CheckExists(c.extension, i, j, k), c.found) << c.extension;
    if (!c.found) continue;
    const TExtSearch type = table.ExtTable[i][j][k];
    EXPECT_EQ(type.Description, c.description) << c.extension;
    EXPECT_EQ(type.ViewType, c.viewType) << c.extension;
  }
  int i = 0, j = 0, k = 0;
  ASSERT_TRUE(table.CheckExists(".abc", i, j, k));
  EXPECT_EQ(table.ExtTable[i][j][k].IconFile, AlphaIcon());
  ASSERT_TRUE(table.CheckExists(".bar", i, j, k));
  EXPECT_EQ(table.ExtTable[i][j][k].IconFile, table.ShellIconFile);
}

// Descriptions holding what ends a field or a line read back as the same
// description, with their icon and view type, and the table reads on.
TEST_F(LearnedTable, EveryDescriptionReadsBackWithItsIconAndViewType) {
  const std::string sharp = "\xE2\x99\xAF";
  struct Case {
    const char* extension;
    std::string description;
    std::string readBack;
  };
  const std::vector<Case> cases = {
      {".D01", "Rel test; semicolon type", "Rel test, semicolon type"},
      {".D02", "PKCS#12 certificate bundle", "PKCS" + sharp + "12 certificate bundle"},
      {".D03", "C# source code", "C" + sharp + " source code"},
      {".D04", "a;b;c", "a,b,c"},
      {".D05", ";", ","},
      {".D06", "#", sharp},
      {".D07", "; leading and trailing;", ", leading and trailing,"},
      {".D08", "tab\there\r\nand a line", "tab here  and a line"},
      {".D09", "ends in a sharp #", "ends in a sharp " + sharp},
  };
  for (const Case& c : cases) {
    const std::string type = std::string("text/x-") + (c.extension + 1);
    platform::SetTestRegistryValue(c.extension, "", REG_SZ, type);
    platform::SetTestRegistryValue(type, "", REG_SZ, c.description);
    platform::SetTestRegistryValue(type + "\\DefaultIcon", "", REG_SZ, "C:\\icons\\d.png,3");
  }
  // An icon file the table could not read back goes without an icon.
  platform::SetTestRegistryValue(".D10", "", REG_SZ, "text/x-d10");
  platform::SetTestRegistryValue("text/x-d10", "", REG_SZ, "odd icon");
  platform::SetTestRegistryValue("text/x-d10\\DefaultIcon", "", REG_SZ, "C:\\icons\\a;b#c.png,3");
  testing_support::ScriptedMessageBoxes boxes;
  LearnForm->ShowModal();

  TExtension table(nullptr);
  table.FileName = LearnProgramDir() + "reginfo.ini";
  table.Init();  // raises nothing
  EXPECT_TRUE(boxes.Shown().empty());
  for (const Case& c : cases) {
    int i = 0, j = 0, k = 0;
    ASSERT_TRUE(table.CheckExists(c.extension, i, j, k)) << c.extension;
    const TExtSearch& type = table.ExtTable[i][j][k];
    EXPECT_EQ(type.Description, c.readBack) << c.extension;
    EXPECT_EQ(type.IconFile, "C:\\icons\\d.png") << c.extension;
    EXPECT_EQ(type.IconIndex, 3) << c.extension;
    EXPECT_EQ(type.ViewType, 1) << c.extension;
  }
  int i = 0, j = 0, k = 0;
  ASSERT_TRUE(table.CheckExists(".d10", i, j, k));
  EXPECT_EQ(table.ExtTable[i][j][k].Description, "odd icon");
  EXPECT_EQ(table.ExtTable[i][j][k].IconFile, table.ShellIconFile);
  EXPECT_EQ(table.ExtTable[i][j][k].ViewType, 1);
  // The fixture's own description holding both.
  ASSERT_TRUE(table.CheckExists(".sem", i, j, k));
  EXPECT_EQ(table.ExtTable[i][j][k].Description, "semi, colon " + sharp + " hash");
  EXPECT_EQ(table.ExtTable[i][j][k].ViewType, 1);
}

}  // namespace
