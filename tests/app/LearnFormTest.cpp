#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Kindlow.h"
#include "app/RegForm.h"
#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "platform/registry/SystemRegistry.h"
#include "tests/app/LearnerFixture.h"
#include "tests/support/InterruptedWrites.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/SmallTmpfs.h"

namespace {

using learner_test::BuiltInLines;
using learner_test::LearnerTest;
using testing_support::InterruptedWrites;
using testing_support::ScriptedMessageBoxes;
using testing_support::SmallTmpfs;

using LearnFormTest = LearnerTest;

// What the small database teaches: the lines the scan writes, in candidate
// order, then the ten built-in ones. ".TXT", ".BMP" and ".WMF" are known to
// the database and never written from it; ".c" is probed as ".C  " and not
// found.
std::vector<std::string> LearnedLines(const std::string& alphaIcon) {
  std::vector<std::string> lines = {
      "PX41",
      ".ABC; Alpha document; " + alphaIcon + "; 0; 1;",
      ".BAR; application/x-bare; -; 0; 1;",
      ".SEM; semi, colon \xE2\x99\xAF hash; -; 0; 1;",
  };
  lines.insert(lines.end(), BuiltInLines().begin(), BuiltInLines().end());
  return lines;
}

TEST_F(LearnFormTest, TheDialogAsDesigned) {
  TLearnForm& form = *LearnForm;
  EXPECT_EQ(form.Caption(), "File Type Learner");
  EXPECT_EQ(form.Width(), 378);
  EXPECT_EQ(form.Height(), 225);
  EXPECT_EQ(form.Position(), poMainFormCenter);
  EXPECT_EQ(form.Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font()->Height(), 13);
  EXPECT_FALSE(form.Visible());

  const TProgressBar& bar = *form.ProgressBar;
  EXPECT_EQ(std::vector<int>({bar.Left(), bar.Top(), bar.Width(), bar.Height()}), std::vector<int>({24, 112, 217, 16}));
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_TRUE(bar.Smooth());
  EXPECT_EQ(bar.Step(), 2);

  struct LabelCase {
    TLabel* label;
    int left;
    int top;
    const char* caption;
  };
  const LabelCase labels[] = {
      {form.EInfo1_L, 24, 24, "Learning File Extensions"},
      {form.EInfo2_L, 24, 72, "This Program only runs ONCE, so please be patient!"},
      {form.CurExt_L, 24, 144, ""},
      {form.CurPos_L, 248, 112, ""},
  };
  for (const LabelCase& c : labels) {
    EXPECT_EQ(c.label->Parent(), &form) << c.caption;
    EXPECT_EQ(c.label->Left(), c.left) << c.caption;
    EXPECT_EQ(c.label->Top(), c.top) << c.caption;
    EXPECT_EQ(c.label->Caption(), c.caption);
  }
  const TButton& close = *form.Close_B;
  EXPECT_EQ(close.Caption(), "Close");
  EXPECT_EQ(std::vector<int>({close.Left(), close.Top(), close.Width(), close.Height()}),
            std::vector<int>({147, 168, 75, 25}));
  EXPECT_TRUE(close.Enabled());
  ASSERT_NE(form.Learner, nullptr);
}

TEST_F(LearnFormTest, WithoutTheFileItLearnsAtOnceAndCloses) {
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(LearnForm->ShowModal(), mrCancel);
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(FileLines(), LearnedLines(AlphaIcon()));
  EXPECT_EQ(LearnForm->CurExt_L->Caption(), "DONE!");
  EXPECT_EQ(LearnForm->CurPos_L->Caption(), "100%");
  EXPECT_EQ(LearnForm->ProgressBar->Position(), 100);
  EXPECT_TRUE(LearnForm->Close_B->Enabled());
  EXPECT_FALSE(LearnForm->Visible());
}

TEST_F(LearnFormTest, WithTheFileItAsksAndNoLeavesTheFileUnchanged) {
  const std::string old = "PX41\r\n.OLD; old type; -; 0; 1;\r\n";
  WriteFile(old);
  ScriptedMessageBoxes boxes;
  boxes.Script({IDNO});
  EXPECT_EQ(LearnForm->ShowModal(), mrCancel);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text, "Relearn File Types?");
  EXPECT_EQ(boxes.Shown()[0].Caption, "Kindlow");
  EXPECT_EQ(boxes.Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(ReadFile(), old);
  EXPECT_EQ(LearnForm->CurExt_L->Caption(), "");
  EXPECT_FALSE(LearnForm->Visible());
}

TEST_F(LearnFormTest, WithTheFileYesLearnsItAnew) {
  WriteFile("PX41\r\n.OLD; old type; -; 0; 1;\r\n");
  ScriptedMessageBoxes boxes;
  boxes.Script({IDYES});
  LearnForm->ShowModal();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"Relearn File Types?"}));
  EXPECT_EQ(FileLines(), LearnedLines(AlphaIcon()));
  // Shown again (the relearn command), it asks again.
  boxes.Script({IDNO});
  LearnForm->ShowModal();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"Relearn File Types?", "Relearn File Types?"}));
}

TEST_F(LearnFormTest, ProgressShowsEveryFiftyNineCandidatesWhileMessagesRun) {
  // A timer that runs whenever waiting messages are processed records what
  // the dialog shows at that moment.
  std::vector<std::pair<int, std::string>> shown;
  QTimer timer;
  timer.setInterval(0);
  QObject::connect(&timer, &QTimer::timeout,
                   [&] { shown.emplace_back(LearnForm->ProgressBar->Position(), LearnForm->CurPos_L->Caption()); });
  timer.start();
  LearnForm->ShowModal();
  timer.stop();
  ASSERT_EQ(shown.size(), 2537u);  // 43 x 59 passes of the innermost loop
  EXPECT_EQ(shown.front(), std::make_pair(0, std::string("0%")));
  // 767 candidates are 0.51 per cent: the bar shows the whole part, the label rounds.
  EXPECT_EQ(shown[12], std::make_pair(0, std::string("1%")));
  EXPECT_EQ(shown[25], std::make_pair(1, std::string("1%")));
  EXPECT_EQ(shown.back(), std::make_pair(100, std::string("100%")));
}

// Runs the dialog modally, relearning when asked; when the error of the scan
// is shown, records what
// the dialog shows and closes it by its window's close box, as a user would.
struct FailedRun {
  std::vector<TMessageBoxRequest> boxes;
  bool openAfterError = false;
  bool closeEnabled = true;
  std::string current;
};

FailedRun RunUntilError() {
  FailedRun run;
  TMessageBoxHandler previous = SetMessageBoxHandler([&](const TMessageBoxRequest& request) {
    if ((request.Flags & MB_TYPEMASK) == MB_YESNO) return IDYES;  // "Relearn File Types?"
    run.boxes.push_back(request);
    QTimer::singleShot(0, [&] {
      run.openAfterError = LearnForm->Visible();
      run.closeEnabled = LearnForm->Close_B->Enabled();
      run.current = LearnForm->CurExt_L->Caption();
      LearnForm->Widget()->close();
    });
    return IDOK;
  });
  LearnForm->ShowModal();
  SetMessageBoxHandler(previous);
  return run;
}

TEST_F(LearnFormTest, AnErrorOfTheScanLeavesTheDialogOpenWithCloseDisabled) {
  struct Case {
    std::function<void()> setUp;
    const char* message;
  };
  const std::vector<Case> cases = {
      {[] { platform::SetTestRegistryValue("text/x-alpha\\DefaultIcon", "", REG_SZ, "C:\\icons\\a.png,x"); },
       "'x' is not a valid integer value"},
      {[] { platform::SetTestRegistryValue(".DWD", "", REG_DWORD, "1234"); }, "Invalid data type for ''"},
  };
  const std::string old = "PX41\r\n.OLD; old type; -; 0; 1;\r\n";
  for (const bool withOld : {false, true}) {
    for (const Case& c : cases) {
      std::filesystem::remove(FilePath());
      if (withOld) WriteFile(old);
      platform::ReloadRegistry();
      c.setUp();
      const FailedRun run = RunUntilError();
      ASSERT_EQ(run.boxes.size(), 1u) << c.message;
      EXPECT_EQ(run.boxes[0].Text, c.message);
      EXPECT_EQ(run.boxes[0].Flags, MB_OK | MB_ICONSTOP);
      EXPECT_TRUE(run.openAfterError) << c.message;
      EXPECT_FALSE(run.closeEnabled) << c.message;
      EXPECT_NE(run.current, "DONE!") << c.message;
      // The cut scan never takes the file's place: the old file stays, or
      // none, so that the next start learns again; no new file stays beside it.
      if (withOld) {
        EXPECT_EQ(ReadFile(), old) << c.message;
      } else {
        EXPECT_FALSE(std::filesystem::exists(FilePath())) << c.message;
      }
      EXPECT_EQ(FolderNames(), std::vector<std::string>(withOld ? 1 : 0, "RegInfo.ini")) << c.message;
      EXPECT_FALSE(LearnForm->Visible());
    }
  }
  // Without the faulty key the next run learns everything again.
  platform::ReloadRegistry();
  ScriptedMessageBoxes boxes;
  boxes.Script({IDYES});
  LearnForm->ShowModal();
  EXPECT_EQ(FileLines(), LearnedLines(AlphaIcon()));
  EXPECT_TRUE(LearnForm->Close_B->Enabled());
}

TEST_F(LearnFormTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStillEnds) {
  // A folder named RegInfo.ini is no file: nothing is asked, and neither the
  // scan nor the append can open it.
  std::filesystem::create_directory(FilePath());
  ScriptedMessageBoxes boxes;
  LearnForm->ShowModal();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text, "Can't open RegInfo.ini");
  EXPECT_EQ(boxes.Shown()[0].Flags & MB_TYPEMASK, MB_OK);
  EXPECT_EQ(LearnForm->CurExt_L->Caption(), "DONE!");
  EXPECT_TRUE(LearnForm->Close_B->Enabled());
  EXPECT_TRUE(std::filesystem::is_directory(FilePath()));
  EXPECT_FALSE(LearnForm->Visible());
}

// Types installed or removed while the program runs count at the next run:
// the learner reads the system's file types afresh each time.
TEST_F(LearnFormTest, ARelearnSeesTheTypesInstalledNow) {
  ScriptedMessageBoxes boxes;
  LearnForm->ShowModal();
  ASSERT_EQ(FileLines(), LearnedLines(AlphaIcon()));
  db_.Write("system/mime/globs2",
            "50:text/x-alpha:*.abc\n"
            "50:text/x-new:*.new\n"
            "50:text/x-semi:*.sem\n");
  db_.Write("system/mime/text/x-new.xml", learner_test::TypeXml("text/x-new", "Newly installed"));
  boxes.Script({IDYES});
  LearnForm->ShowModal();
  std::vector<std::string> expected = {
      "PX41",
      ".ABC; Alpha document; " + AlphaIcon() + "; 0; 1;",
      ".NEW; Newly installed; -; 0; 1;",
      ".SEM; semi, colon \xE2\x99\xAF hash; -; 0; 1;",
  };
  expected.insert(expected.end(), BuiltInLines().begin(), BuiltInLines().end());
  EXPECT_EQ(FileLines(), expected);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Relearn File Types?"});
}

// A run cut short at any of its writes, as a killed process would leave it:
// the file is the old one or none, never a part, and the next start learns
// the whole file again, removing what the cut run left beside it.
TEST_F(LearnFormTest, ARunCutShortAtAnyWriteLeavesTheOldFileOrNone) {
  int steps = 0;
  {
    InterruptedWrites count;
    ScriptedMessageBoxes boxes;
    LearnForm->ShowModal();
    steps = count.Steps();
  }
  // The new file, the marker, three learned lines, the built-in lines, the
  // sync and the rename.
  ASSERT_EQ(steps, 8);
  const std::string old = "PX41\r\n.OLD; old type; -; 0; 1;\r\n";
  const std::string path = LearnProgramDir() + "RegInfo.ini";
  for (const bool withOld : {false, true}) {
    for (int allowed = 0; allowed < steps; ++allowed) {
      std::filesystem::remove_all(programFolder_);
      std::filesystem::create_directories(programFolder_);
      if (withOld) WriteFile(old);
      {
        InterruptedWrites cut(allowed);
        ScriptedMessageBoxes boxes;
        boxes.Script({IDYES});
        LearnForm->ShowModal();
        std::vector<std::string> texts;
        if (withOld) texts.push_back("Relearn File Types?");
        texts.push_back(allowed == 0 ? "Can't open RegInfo.ini" : "Unable to write to " + path);
        EXPECT_EQ(boxes.Texts(), texts) << allowed;
      }
      if (withOld) {
        EXPECT_EQ(ReadFile(), old) << allowed;
      } else {
        EXPECT_FALSE(std::filesystem::exists(FilePath())) << allowed;
      }
      ScriptedMessageBoxes boxes;
      boxes.Script({IDYES});
      LearnForm->ShowModal();
      EXPECT_EQ(FileLines(), LearnedLines(AlphaIcon())) << allowed;
      EXPECT_EQ(FolderNames(), std::vector<std::string>{"RegInfo.ini"}) << allowed;
    }
  }
}

// A program folder on a full file system: the write fails, which is said,
// and the old file (or none) stays, with nothing beside it.
TEST_F(LearnFormTest, AFullFileSystemLeavesTheOldFileAndSaysSo) {
  // Enough types to fill more than a page of the file.
  std::string globs;
  for (int n = 0; n < 200; ++n) {
    globs += "50:application/x-filler-type-with-a-rather-long-name-" + std::to_string(n) + ":*.q" +
             static_cast<char>('a' + n / 26) + static_cast<char>('a' + n % 26) + "\n";
  }
  db_.Write("system/mime/globs2", globs);
  db_.Use();
  const std::string old = "PX41\r\n.OLD; old type; -; 0; 1;\r\n";
  const struct {
    bool withOld;
    int freePages;  // 0: not a byte; 1: the file is cut after its first page
  } cases[] = {{true, 0}, {false, 0}, {true, 1}, {false, 1}};
  for (const auto& c : cases) {
    SmallTmpfs full(programFolder_, 256 << 10);
    if (!full.Mounted()) GTEST_SKIP() << "may not mount a tmpfs here";
    if (c.withOld) WriteFile(old);
    full.Fill(c.freePages);
    ScriptedMessageBoxes boxes;
    boxes.Script({IDYES});
    LearnForm->ShowModal();
    std::vector<std::string> texts;
    if (c.withOld) texts.push_back("Relearn File Types?");
    texts.push_back("Unable to write to " + LearnProgramDir() + "RegInfo.ini");
    EXPECT_EQ(boxes.Texts(), texts) << c.freePages;
    if (c.withOld) {
      EXPECT_EQ(ReadFile(), old) << c.freePages;
    } else {
      EXPECT_FALSE(std::filesystem::exists(FilePath())) << c.freePages;
    }
    std::vector<std::string> names = {".filler"};
    if (c.withOld) names.push_back("RegInfo.ini");
    EXPECT_EQ(FolderNames(), names) << c.freePages;
  }
}

}  // namespace
