// "Settings.ini": defaults, value syntax, the program-folder macro, the
// rewritten "VIEW" section and a file that cannot be written.

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/bars/ControlBar.h"
#include "framework/bars/ToolBar.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/graphics/Font.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/InterruptedWrites.h"
#include "tests/support/NoFileOverrides.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

using Settings = MainWindowTest;

// The keys of a section as they stand in the file, in order.
std::vector<std::string> KeysOf(const std::string& file, const std::string& section) {
  std::vector<std::string> keys;
  std::istringstream lines(file);
  std::string line;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
      continue;
    }
    if (inside && line.find('=') != std::string::npos) keys.push_back(line);
  }
  return keys;
}

TEST_F(Settings, NoFileGivesEveryDefault) {
  OpenWindow();
  const std::string dir = ProgramDir();
  EXPECT_EQ(MainForm->Programs[0], "");
  EXPECT_EQ(MainForm->Programs[1], dir + "Quorvin.exe");
  EXPECT_EQ(MainForm->Programs[2], dir + "Dorrin2.exe");
  EXPECT_EQ(MainForm->Programs[3], dir + "Kindlow.exe");
  EXPECT_EQ(MainForm->Programs[4], dir + "Lumbrel.exe");
  EXPECT_EQ(MainForm->Programs[5], dir + "Scrivet.exe");

  const TFont* font = PXManager->Font;
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(font->Size(), 8);
  EXPECT_EQ(font->Charset(), 1);
  EXPECT_EQ(font->Pitch(), fpDefault);
  EXPECT_EQ(font->Style(), 0);
  EXPECT_EQ(font->Color(), static_cast<TColor>(0xF332A968u));
  EXPECT_EQ(font->Color(), -214783640);
  EXPECT_EQ(ColorToRGB(font->Color()), 0u) << "the odd default draws black";

  EXPECT_EQ(PXManager->BackCl, clBtnFace);
  EXPECT_EQ(PXManager->FileCl, clWindow);
  EXPECT_EQ(PXManager->DirCl, clWindow);
  EXPECT_EQ(MainForm->Color(), clBtnFace);
  EXPECT_EQ(MainForm->FileList->Color(), clWindow);
  EXPECT_EQ(MainForm->DirList->Color(), clWindow);
  EXPECT_EQ(MainForm->FileList->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(MainForm->FileList->Font()->Size(), 8);

  const int widths[] = {145, 70, 130, 118, 62};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MainForm->FileList->Columns()->Item(i)->Width(), widths[i]) << i;

  EXPECT_EQ(PXManager->MainWidth, 800);
  EXPECT_EQ(PXManager->MainHeight, 600);
  EXPECT_EQ(PXManager->PropWidth, 350);
  EXPECT_EQ(PXManager->PropHeight, 460);
  EXPECT_EQ(PXManager->SearchWidth, 800);
  EXPECT_EQ(PXManager->SearchHeight, 600);
  EXPECT_EQ(MainForm->Width(), 800);
  EXPECT_EQ(MainForm->Height(), 600);

  EXPECT_EQ(MainForm->LocationBar->Left(), 11);
  EXPECT_EQ(MainForm->LocationBar->Top(), 30);
  EXPECT_EQ(MainForm->MenuBar->Left(), 11);
  EXPECT_EQ(MainForm->MenuBar->Top(), 1);
  EXPECT_EQ(MainForm->StdBar->Left(), 334);
  EXPECT_EQ(MainForm->StdBar->Top(), 1);
  for (TControl* bar : {static_cast<TControl*>(MainForm->LocationBar), static_cast<TControl*>(MainForm->MenuBar),
                        static_cast<TControl*>(MainForm->StdBar)}) {
    EXPECT_TRUE(bar->Visible()) << bar->Name;
  }
  EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "reading creates no file";
}

TEST_F(Settings, IntegersReadAsDecimalOrHexadecimalAndOtherTextGivesTheDefault) {
  const struct {
    const char* value;
    int size;
  } cases[] = {
      {"12", 12},  {"  12 ", 12},  {"$1F", 31},   {"0x1F", 31}, {"0X1f", 31},
      {"x1F", 31}, {"\"14\"", 14}, {"twelve", 8}, {"12pt", 8},  {"", 8},
  };
  for (const auto& c : cases) {
    WriteFile(SettingsFile(), std::string("[ENV]\r\nFSize=") + c.value + "\r\n");
    OpenWindow();
    EXPECT_EQ(PXManager->Font->Size(), c.size) << c.value;
    CloseWindow();
  }
}

TEST_F(Settings, ColoursAndStylesReachTheWindowTreeAndList) {
  WriteFile(SettingsFile(),
            "[ENV]\r\nFName=Courier New\r\nFSize=$C\r\nFCol=255\r\nFStyle1=1\r\nFStyle3=7\r\n"
            "BackCl=-2147483643\r\nFileCl=0x00FF00\r\nDirCl=$80000018\r\n");
  OpenWindow();
  for (TControl* control : {static_cast<TControl*>(MainForm), static_cast<TControl*>(MainForm->DirList),
                            static_cast<TControl*>(MainForm->FileList)}) {
    EXPECT_EQ(control->Font()->Name(), "Courier New") << control->Name;
    EXPECT_EQ(control->Font()->Size(), 12) << control->Name;
    EXPECT_EQ(control->Font()->Color(), clRed) << control->Name;
    EXPECT_EQ(control->Font()->Style(), fsBold | fsUnderline) << control->Name;
  }
  EXPECT_EQ(MainForm->Color(), clWindow);
  EXPECT_EQ(MainForm->FileList->Color(), clLime);
  EXPECT_EQ(MainForm->DirList->Color(), clInfoBk);
}

TEST_F(Settings, OnlyTheFirstProgramFolderMacroIsReplaced) {
  WriteFile(SettingsFile(),
            "[px41]\r\nbin=D:\\Viewers\\($PX4)x.exe\r\nCD=($PX4)a($PX4)b.exe\r\nREG=C:\\Kindlow.exe\r\n"
            "IMG=($px4)Lumbrel.exe\r\nTXT=\"($PX4)Scrivet.exe\"\r\n");
  OpenWindow();
  const std::string dir = ProgramDir();
  EXPECT_EQ(MainForm->Programs[1], "D:\\Viewers\\" + dir + "x.exe");
  EXPECT_EQ(MainForm->Programs[2], dir + "a($PX4)b.exe");
  EXPECT_EQ(MainForm->Programs[3], "C:\\Kindlow.exe");
  EXPECT_EQ(MainForm->Programs[4], "($px4)Lumbrel.exe") << "the macro is matched in its exact case";
  EXPECT_EQ(MainForm->Programs[5], dir + "Scrivet.exe");
}

TEST_F(Settings, CloseRewritesViewInOrderAndLeavesTheRestAlone) {
  const std::string before =
      "; written by the options program\r\n[ENV]\r\nFSize=9\r\n\r\n[VIEW]\r\nExtra=1\r\nCOL1=100\r\n"
      "; a comment in VIEW\r\n[PX41]\r\nBIN=($PX4)Quorvin.exe\r\n";
  WriteFile(SettingsFile(), before);
  OpenWindow();
  MainForm->LocationBar->SetVisible(false);
  MainForm->Close();

  const std::string after = ReadFile(SettingsFile());
  EXPECT_EQ(after.substr(0, after.find("[VIEW]")),
            "; written by the options program\r\n[ENV]\r\nFSize=9\r\n\r\n[PX41]\r\nBIN=($PX4)Quorvin.exe\r\n");
  const std::vector<std::string> expected = {
      "COL1=100",         "COL2=70",    "COL3=130",      "COL4=118",       "COL5=62",   "MainWidth=800",
      "MainHeight=600",   "MainWS=0",   "PropWidth=350", "PropHeight=460", "PropWS=0",  "SearchWidth=800",
      "SearchHeight=600", "SearchWS=0", "LBarX=11",      "LBarY=30",       "LBarVis=0", "MBarX=11",
      "MBarY=1",          "MBarVis=1",  "SBarX=334",     "SBarY=1",        "SBarVis=1",
  };
  EXPECT_EQ(KeysOf(after, "VIEW"), expected);
  EXPECT_EQ(after.find("Extra"), std::string::npos);
  EXPECT_EQ(after.find("a comment in VIEW"), std::string::npos);
}

TEST_F(Settings, ApplyLookWithAnUnknownWindowChangesNothing) {
  OpenWindow();
  PXManager->BackCl = clRed;
  PXManager->FileCl = clRed;
  PXManager->DirCl = clRed;
  PXManager->Font->SetName("Courier New");
  for (short window : {0, 4, -1}) {
    PXManager->ApplyLook(window);
    EXPECT_EQ(MainForm->Color(), clBtnFace) << window;
    EXPECT_EQ(MainForm->FileList->Color(), clWindow) << window;
    EXPECT_EQ(MainForm->DirList->Color(), clWindow) << window;
    EXPECT_EQ(MainForm->Font()->Name(), "MS Sans Serif") << window;
  }
  PXManager->ApplyLook(1);
  EXPECT_EQ(MainForm->Color(), clRed);
  EXPECT_EQ(MainForm->DirList->Font()->Name(), "Courier New");
}

TEST_F(Settings, AReadOnlyFileIsReportedOnceAndTheWindowStillCloses) {
  const std::string before = "[VIEW]\r\nMainWidth=700\r\n";
  WriteFile(SettingsFile(), before);
  std::filesystem::permissions(SettingsFile(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  OpenWindow();
  MainForm->Show();
  testing_support::ScriptedMessageBoxes boxes;
  MainForm->Close();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unable to write to C:\\Pellix4\\Settings.ini"});
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_EQ(ReadFile(SettingsFile()), before);
}

// The names in a folder that are new files of a replacement left behind.
std::vector<std::string> LeftOver(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".new-") != std::string::npos) names.push_back(name);
  }
  return names;
}

// A close cut short at any of its writes, as a killed process would leave
// it: the file holds the old "VIEW" or the new one, whole; the next close
// writes the new one and removes what the cut one left, as it removes a new
// file an earlier crash left.
TEST_F(Settings, ACloseCutShortAtAnyWriteLeavesTheOldOrTheNewFile) {
  const std::string old = "[ENV]\r\nFSize=9\r\n[VIEW]\r\nMainWidth=700\r\nCOL1=100\r\n[PX41]\r\nBIN=x.exe\r\n";
  WriteFile(SettingsFile(), old);
  OpenWindow();
  MainForm->LocationBar->SetVisible(false);
  const std::string name = ProgramDir() + "Settings.ini";
  int steps = 0;
  {
    testing_support::InterruptedWrites count;
    PXManager->SaveSettings(name);
    steps = count.Steps();
  }
  EXPECT_EQ(steps, 4) << "one new file, one write, one sync, one rename";
  const std::string saved = ReadFile(SettingsFile());
  ASSERT_NE(saved, old);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '['), 3);
  EXPECT_NE(saved.find("LBarVis=0"), std::string::npos);
  for (const bool crashedBefore : {false, true}) {
    for (int allowed = 0; allowed < steps + (crashedBefore ? 1 : 0); ++allowed) {
      WriteFile(SettingsFile(), old);
      if (crashedBefore) WriteFile(programFolder_ / "Settings.ini.new-Ab12Cd", "[VIEW]\r\nCOL1=1");
      {
        testing_support::InterruptedWrites cut(allowed);
        try {
          PXManager->SaveSettings(name);
          ADD_FAILURE() << "the cut close succeeded at " << allowed;
        } catch (const Exception& error) {
          EXPECT_EQ(error.Message(), "Unable to write to C:\\Pellix4\\Settings.ini");
        }
      }
      const std::string now = ReadFile(SettingsFile());
      EXPECT_TRUE(now == old || now == saved) << allowed << ": " << now;
      PXManager->SaveSettings(name);
      EXPECT_EQ(ReadFile(SettingsFile()), saved) << allowed;
      EXPECT_EQ(LeftOver(programFolder_), std::vector<std::string>{}) << allowed;
    }
  }
}

// A link is written through: the link stays, its target gets the layout.
TEST_F(Settings, ASettingsFileThatIsALinkIsWrittenThroughToItsTarget) {
  fs::create_directories(drive_ / "conf");
  const fs::path target = drive_ / "conf" / "Settings.ini";
  WriteFile(target, "[ENV]\r\nFSize=9\r\n[VIEW]\r\nMainWidth=700\r\n");
  fs::create_symlink("../conf/Settings.ini", SettingsFile());
  OpenWindow();
  EXPECT_EQ(MainForm->Width(), 700) << "read through the link";
  MainForm->LocationBar->SetVisible(false);
  MainForm->Show();
  testing_support::ScriptedMessageBoxes boxes;
  MainForm->Close();
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_TRUE(fs::is_symlink(SettingsFile()));
  EXPECT_EQ(fs::read_symlink(SettingsFile()), "../conf/Settings.ini");
  const std::string after = ReadFile(target);
  EXPECT_EQ(after.substr(0, after.find("[VIEW]")), "[ENV]\r\nFSize=9\r\n");
  EXPECT_NE(after.find("LBarVis=0"), std::string::npos);
  EXPECT_EQ(LeftOver(drive_ / "conf"), std::vector<std::string>{});
}

// A writable file in a folder the user may not write is rewritten in place.
TEST_F(Settings, AWritableFileInAFolderThatIsNotIsRewrittenInPlace) {
  WriteFile(SettingsFile(), "[ENV]\r\nFSize=9\r\n[VIEW]\r\nMainWidth=700\r\n");
  OpenWindow();
  MainForm->LocationBar->SetVisible(false);
  MainForm->Show();
  testing_support::ScriptedMessageBoxes boxes;
  {
    const testing_support::NoFileOverrides asUser;
    if (!asUser.Held()) GTEST_SKIP() << "root writes every folder here";
    fs::permissions(programFolder_, fs::perms::owner_read | fs::perms::owner_exec);
    MainForm->Close();
    fs::permissions(programFolder_, fs::perms::owner_all);
  }
  EXPECT_TRUE(boxes.Shown().empty()) << boxes.Texts()[0];
  const std::string after = ReadFile(SettingsFile());
  EXPECT_EQ(after.substr(0, after.find("[VIEW]")), "[ENV]\r\nFSize=9\r\n");
  EXPECT_NE(after.find("LBarVis=0"), std::string::npos);
}

// An editor's byte-order mark: the first section is read, the mark stays and
// "VIEW" is not written twice.
TEST_F(Settings, AByteOrderMarkIsSkippedWhenReadAndKeptOnClose) {
  const std::string mark = "\xEF\xBB\xBF";
  WriteFile(SettingsFile(), mark + "[VIEW]\r\nMainWidth=700\r\nLBarVis=0\r\n[ENV]\r\nFSize=9\r\n");
  OpenWindow();
  EXPECT_EQ(MainForm->Width(), 700);
  EXPECT_FALSE(MainForm->LocationBar->Visible());
  MainForm->Show();
  MainForm->Close();
  const std::string after = ReadFile(SettingsFile());
  const std::string start = mark + "[ENV]\r\nFSize=9\r\n[VIEW]";
  EXPECT_EQ(after.substr(0, start.size()), start);
  EXPECT_EQ(after.find("[VIEW]"), after.rfind("[VIEW]"));
  EXPECT_NE(after.find("MainWidth=700"), std::string::npos);
  EXPECT_NE(after.find("LBarVis=0"), std::string::npos);
}

}  // namespace
}  // namespace app_test
