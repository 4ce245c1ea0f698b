// The main window: its layout arithmetic, the bars and their pop-up menu,
// the hint line, the start folder and the construction's failures.

#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "app/RegForm.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/bars/ControlBar.h"
#include "framework/bars/ToolBar.h"
#include "framework/bars/ToolButton.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "framework/graphics/ImageList.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/menus/MenuItem.h"
#include "platform/drives/DriveMap.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TestMimeDatabase.h"

namespace app_test {
namespace {

using MainFormTest = MainWindowTest;

// The panes against the bar container and the status line, as every layout
// must leave them.
void ExpectPanesFit(const TMainForm* form) {
  const int w = form->Width() - 8;
  const int h = form->Height() - 28;
  EXPECT_EQ(form->ControlBar->Left(), 0);
  EXPECT_EQ(form->ControlBar->Width(), w);
  EXPECT_EQ(form->StatusPanel->Height(), form->File_L->Height() + 4);
  EXPECT_EQ(form->StatusPanel->Top() + form->StatusPanel->Height(), h);
  EXPECT_EQ(form->StatusPanel->Width(), w);
  EXPECT_EQ(form->DirList->Top(), form->ControlBar->Height() + 6);
  EXPECT_EQ(form->FileList->Top(), form->ControlBar->Height() + 5);
  EXPECT_EQ(form->DirList->Top() + form->DirList->Height(), form->StatusPanel->Top() - 6);
  EXPECT_EQ(form->FileList->Top() + form->FileList->Height(), form->StatusPanel->Top() - 6);
}

TEST_F(MainFormTest, LayoutFollowsTheWindowWidth) {
  OpenWindow();
  const struct {
    int width;
    int treeWidth;
    int listLeft;
    int listWidth;
  } cases[] = {{800, 215, 227, 559}, {1024, 276, 288, 722}, {801, 216, 228, 559}};
  for (const auto& c : cases) {
    MainForm->SetWidth(c.width);
    EXPECT_EQ(MainForm->DirList->Left(), 6) << c.width;
    EXPECT_EQ(MainForm->DirList->Width(), c.treeWidth) << c.width;
    EXPECT_EQ(MainForm->FileList->Left(), c.listLeft) << c.width;
    EXPECT_EQ(MainForm->FileList->Width(), c.listWidth) << c.width;
    ExpectPanesFit(MainForm);
  }
  MainForm->SetWidth(800);
  EXPECT_EQ(MainForm->FileList->Left() + MainForm->FileList->Width(), 786);
  EXPECT_EQ(MainForm->ControlBar->Height(), 55);
  EXPECT_EQ(MainForm->DirList->Top(), 61);
  EXPECT_EQ(MainForm->FileList->Top(), 60);
}

TEST_F(MainFormTest, PanesFollowTheBarContainersHeight) {
  OpenWindow();
  MainForm->Show();
  // Hiding both bars of the first row leaves one row; the panes move up.
  MainForm->ControlMenuClick(MainForm->Menu_CM);
  MainForm->ControlMenuClick(MainForm->Std_CM);
  EXPECT_EQ(MainForm->ControlBar->Height(), 28);
  ExpectPanesFit(MainForm);
  EXPECT_EQ(MainForm->DirList->Top(), 34);
  MainForm->ControlMenuClick(MainForm->Loc_CM);
  EXPECT_EQ(MainForm->ControlBar->Height(), 0);
  ExpectPanesFit(MainForm);
  for (TMenuItem* item : {MainForm->Menu_CM, MainForm->Std_CM, MainForm->Loc_CM}) {
    MainForm->ControlMenuClick(item);
    EXPECT_TRUE(item->Checked()) << item->Name;
  }
  EXPECT_EQ(MainForm->ControlBar->Height(), 55);
  ExpectPanesFit(MainForm);
  EXPECT_EQ(MainForm->DirList->Top(), 61);
}

TEST_F(MainFormTest, EveryResizeEmptiesTheHintLineWhichShowsTheApplicationsHint) {
  OpenWindow();
  Application->SetHint("Closes Pellix");
  EXPECT_EQ(MainForm->HintLabel->Caption(), "Closes Pellix");
  MainForm->SetWidth(900);
  EXPECT_EQ(MainForm->HintLabel->Caption(), "");
  Application->SetHint("");
}

TEST_F(MainFormTest, AHiddenBarStaysHiddenAfterARestart) {
  OpenWindow();
  EXPECT_TRUE(MainForm->Loc_CM->Checked());
  MainForm->Loc_CM->Click();
  EXPECT_FALSE(MainForm->Loc_CM->Checked());
  EXPECT_FALSE(MainForm->LocationBar->Visible());
  MainForm->Close();
  CloseWindow();

  OpenWindow();
  EXPECT_FALSE(MainForm->LocationBar->Visible());
  EXPECT_FALSE(MainForm->Loc_CM->Checked());
  EXPECT_TRUE(MainForm->Menu_CM->Checked());
  EXPECT_TRUE(MainForm->Std_CM->Checked());
  EXPECT_EQ(MainForm->ControlBar->Height(), 28);
  MainForm->Loc_CM->Click();
  EXPECT_TRUE(MainForm->LocationBar->Visible());
  EXPECT_TRUE(MainForm->Loc_CM->Checked());
  EXPECT_EQ(MainForm->ControlBar->Height(), 55);
}

TEST_F(MainFormTest, SizeAndBarPlacesSurviveARestart) {
  OpenWindow();
  MainForm->SetWidth(1000);
  MainForm->SetHeight(700);
  MainForm->StdBar->SetLeft(400);
  MainForm->Close();
  CloseWindow();
  OpenWindow();
  EXPECT_EQ(MainForm->Width(), 1000);
  EXPECT_EQ(MainForm->Height(), 700);
  EXPECT_EQ(MainForm->StdBar->Left(), 400);
  EXPECT_EQ(MainForm->DirList->Width(), 270);
}

TEST_F(MainFormTest, BarsCarryTheirButtonsMenusAndImages) {
  OpenWindow();
  const TMainForm& f = *MainForm;
  ASSERT_EQ(f.MenuBar->ButtonCount(), 5);
  const std::vector<std::pair<TToolButton*, TMenuItem*>> drops = {{f.File_TB, f.File_M},
                                                                  {f.Edit_TB, f.Edit_M},
                                                                  {f.Options_TB, f.Options_M},
                                                                  {f.View_TB, f.View_MM},
                                                                  {f.Help_TB, f.Help_M}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(f.MenuBar->Buttons(i), drops[static_cast<size_t>(i)].first);
    EXPECT_EQ(drops[static_cast<size_t>(i)].first->MenuItem(), drops[static_cast<size_t>(i)].second);
    EXPECT_EQ(drops[static_cast<size_t>(i)].first->Width(), 62);
  }
  EXPECT_EQ(f.MenuBar->Width(), 5 * 62);

  ASSERT_EQ(f.StdBar->ButtonCount(), 10);
  EXPECT_EQ(f.StdImages->Count(), 8);
  const int images[] = {0, 6, -1, 1, 2, 3, -1, 5, 7, 4};
  for (int i = 0; i < 10; ++i) {
    const TToolButton* button = f.StdBar->Buttons(i);
    if (images[i] < 0) {
      EXPECT_EQ(button->Style(), tbsSeparator) << i;
      EXPECT_EQ(button->Width(), 6) << i;
    } else {
      EXPECT_EQ(button->ImageIndex(), images[i]) << button->Name;
      EXPECT_FALSE(button->Hint().empty()) << button->Name;
    }
  }
  EXPECT_EQ(f.Delete_TB->Hint(), "Send Selected Files to Recycle Bin");

  // The view items are one radio group, details checked at start.
  EXPECT_TRUE(f.VDetails_M->Checked());
  f.VList_M->SetChecked(true);
  EXPECT_FALSE(f.VDetails_M->Checked());
  EXPECT_EQ(f.View_FM->Count(), 3);
}

TEST_F(MainFormTest, WithoutATailTheWindowOpensTheProgramFolder) {
  WriteFile(programFolder_ / "readme.txt", "x");
  OpenWindow();
  EXPECT_EQ(Application->Title(), "Pellix");
  EXPECT_EQ(MainForm->ProgramDir, ProgramDir());
  EXPECT_EQ(MainForm->CurrentDir_E->Text(), ProgramDir());
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Pellix4");
  bool listed = false;
  for (int i = 0; i < MainForm->FileList->Items()->Count(); ++i)
    listed = listed || MainForm->FileList->Items()->Item(i)->Caption() == "readme.txt";
  EXPECT_TRUE(listed);
}

TEST_F(MainFormTest, TheWholeTailIsTheStartFolder) {
  std::filesystem::create_directories(drive_ / "My Files");
  for (const char* tail : {"C:\\My Files", "C:\\My Files  "}) {
    OpenWindow(tail);
    EXPECT_EQ(MainForm->CurrentDir_E->Text(), "C:\\My Files\\") << tail;
    EXPECT_EQ(GetCurrentDirectoryA(), "C:\\My Files") << tail;
    EXPECT_EQ(Application->Title(), "Pellix");
    CloseWindow();
  }
  // Quotes stay part of the tail, so no folder of that name opens.
  OpenWindow("\"C:\\My Files\"");
  EXPECT_EQ(MainForm->DirList->Location, "");
  EXPECT_EQ(MainForm->CurrentDir_E->Text(), "My Computer");
  EXPECT_EQ(MainForm->FileList->Items()->Count(), 0);
}

TEST_F(MainFormTest, AFirstRunLearnsTheFileTypesBeforeTheWindowOpens) {
  testing_support::TestMimeDatabase db("main-window-db");
  db.Write("system/mime/globs2", "50:text/x-alpha:*.abc\n");
  db.Write("system/mime/text/x-alpha.xml",
           "<?xml version=\"1.0\"?>\n<mime-type xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\" "
           "type=\"text/x-alpha\">\n  <comment>Alpha document</comment>\n</mime-type>\n");
  db.Use();
  std::filesystem::remove(RegInfoFile());
  OpenWindow();
  EXPECT_TRUE(std::filesystem::exists(RegInfoFile()));
  ASSERT_NE(LearnForm, nullptr);
  EXPECT_EQ(LearnForm->Owner(), MainForm);
  EXPECT_FALSE(LearnForm->Visible());
  int i = 0, j = 0, k = 0;
  EXPECT_TRUE(MainForm->FileExt->CheckExists(".abc", i, j, k)) << "the table reads the file just learned";
  CloseWindow();

  OpenWindow();
  EXPECT_EQ(LearnForm, nullptr) << "with the file present no learner runs";
}

// Descriptions holding ";" and "#", as a user-installed type and Debian's
// certificate types have them: every start reads them back with their icon
// and view type, and the list shows them.
TEST_F(MainFormTest, DescriptionsWithSemicolonsAndHashesSurviveEveryStart) {
  testing_support::TestMimeDatabase db("main-window-db");
  db.Write("system/mime/globs2", "50:text/x-rel:*.rel\n50:application/x-pkcs12:*.p12\n");
  const auto xml = [](const std::string& type, const std::string& comment) {
    return "<?xml version=\"1.0\"?>\n<mime-type xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\" "
           "type=\"" +
           type + "\">\n  <comment>" + comment + "</comment>\n</mime-type>\n";
  };
  db.Write("system/mime/text/x-rel.xml", xml("text/x-rel", "Rel test; semicolon type"));
  db.Write("system/mime/application/x-pkcs12.xml", xml("application/x-pkcs12", "PKCS#12 certificate bundle"));
  db.Write("system/icons/hicolor/index.theme",
           "[Icon Theme]\nName=Hicolor\nDirectories=32x32/mimetypes\n[32x32/mimetypes]\nSize=32\n");
  db.WritePng("system/icons/hicolor/32x32/mimetypes/text-x-rel.png");
  db.Use();
  WriteFile(programFolder_ / "a.rel", "rel");
  WriteFile(programFolder_ / "b.p12", "p12");
  std::filesystem::remove(RegInfoFile());
  // The icon theme lies on a drive of its own.
  platform::SetDriveMap({{'C', drive_.string(), 3}, {'D', testing_support::PrivateHome(), 3}});
  const std::string relIcon = *platform::DrivePath(db.Root() + "/system/icons/hicolor/32x32/mimetypes/text-x-rel.png");
  struct Case {
    const char* extension;
    const char* file;
    const char* description;
    bool ownIcon;  // else the shell's
  };
  const Case cases[] = {
      {".rel", "a.rel", "Rel test, semicolon type", true},
      {".p12", "b.p12",
       "PKCS\xE2\x99\xAF"
       "12 certificate bundle",
       false},
  };
  testing_support::ScriptedMessageBoxes boxes;
  for (int start = 1; start <= 2; ++start) {
    OpenWindow();
    for (const Case& c : cases) {
      int i = 0, j = 0, k = 0;
      ASSERT_TRUE(MainForm->FileExt->CheckExists(c.extension, i, j, k)) << c.extension << " start " << start;
      const TExtSearch& type = MainForm->FileExt->ExtTable[i][j][k];
      EXPECT_EQ(type.Description, c.description) << start;
      EXPECT_EQ(type.ViewType, 1) << c.extension << " opens with the shell, start " << start;
      if (c.ownIcon) {
        EXPECT_EQ(type.IconFile, relIcon) << start;
      } else {
        EXPECT_EQ(type.IconFile, MainForm->FileExt->ShellIconFile) << start;
      }
      EXPECT_EQ(type.IconIndex, 0) << start;
      bool listed = false;
      for (int n = 0; n < MainForm->FileList->Items()->Count(); ++n) {
        const TListItem* item = MainForm->FileList->Items()->Item(n);
        if (item->Caption() != c.file) continue;
        listed = true;
        EXPECT_EQ(item->SubItems()->Strings(1), c.description) << c.file << " start " << start;
      }
      EXPECT_TRUE(listed) << c.file << " start " << start;
    }
    CloseWindow();
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(MainFormTest, AnErrorOutOfTheComponentsEndsTheConstruction) {
  const struct {
    const char* regInfo;  // nullptr: the resource library is missing instead
    const char* message;
  } cases[] = {
      {nullptr, "Unable to Find DLL: PX4Images.dll"},
      {"PX41\r\n.ABC; Alpha; shell32.dll; zz; 3;\r\n", "'zz' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    if (c.regInfo == nullptr) {
      std::filesystem::rename(programFolder_ / "PX4Images.dll", programFolder_ / "PX4Images.old");
    } else {
      std::filesystem::rename(programFolder_ / "PX4Images.old", programFolder_ / "PX4Images.dll");
      WriteFile(RegInfoFile(), c.regInfo);
    }
    Application->SetTitle("");
    try {
      Application->CreateForm(MainForm);
      ADD_FAILURE() << "the window was built";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
    EXPECT_EQ(MainForm, nullptr);
    Application->SetHint("after the failed window");
    Application->SetHint("");
  }
}

}  // namespace
}  // namespace app_test
