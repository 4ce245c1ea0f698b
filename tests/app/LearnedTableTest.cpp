#include <gtest/gtest.h>

#include <string>

#include "app/Kindlow.h"
#include "app/RegForm.h"
#include "components/Extension.h"
#include "framework/core/Exception.h"
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
      // "#" ends what the table reads of a line: the description before it,
      // no view type (the text viewer), the shell's icon.
      {".p7c", true, "PKCS", 0},
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

// A description holding "; " and a word of four or more characters moves the
// learned icon fields along: the table's reading of that line fails.
TEST_F(LearnedTable, ASemicolonInADescriptionStopsTheTablesReading) {
  testing_support::ScriptedMessageBoxes boxes;
  LearnForm->ShowModal();  // the fixture's ".SEM; semi; colon # hash; -; 0; 1;"
  TExtension table(nullptr);
  table.FileName = LearnProgramDir() + "reginfo.ini";
  try {
    table.Init();
    ADD_FAILURE() << "the table read the line";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'' is not a valid integer value");
  }
}

}  // namespace
