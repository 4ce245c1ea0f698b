#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Form.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

struct ProbeForm;
ProbeForm* Probe = nullptr;
struct ProbeForm : TForm {
  explicit ProbeForm(TComponent* owner) : TForm(owner) { sawItself = Probe == this && Probe != nullptr; }
  bool sawItself = false;
};

struct FailingForm;
FailingForm* Failing = nullptr;
struct FailingForm : TForm {
  explicit FailingForm(TComponent* owner) : TForm(owner) { throw Exception("Can't load PX4Images.dll"); }
};

TEST(Application, CreateFormStoresTheGlobalBeforeTheConstructorRuns) {
  Application->CreateForm(Probe);
  ASSERT_NE(Probe, nullptr);
  EXPECT_TRUE(Probe->sawItself);
  EXPECT_EQ(Application->MainForm(), Probe);
  EXPECT_EQ(Probe->Owner(), Application);
  EXPECT_FALSE(Probe->Visible());

  // A constructor that raises leaves its global empty and the main form as it was.
  EXPECT_THROW(Application->CreateForm(Failing), Exception);
  EXPECT_EQ(Failing, nullptr);
  EXPECT_EQ(Application->MainForm(), Probe);

  delete Probe;
  Probe = nullptr;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, AnErrorOutOfAHandlerIsShownAndTheLoopGoesOn) {
  testing_support::ScriptedMessageBoxes boxes;
  Application->SetTitle("Pellix");
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* button = new TButton(main);
  button->SetParent(main);
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    throw Exception("Incorrect Password");
  };
  QTimer::singleShot(0, [&] {
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    QTimer::singleShot(0, [&] {
      QTest::mouseClick(button->Widget(), Qt::LeftButton);
      QTimer::singleShot(0, [&] { main->Close(); });
    });
  });
  Application->Run();
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[1].Text, "Incorrect Password");
  EXPECT_EQ(boxes.Shown()[1].Caption, "Pellix");
  EXPECT_EQ(boxes.Shown()[1].Flags, MB_OK | MB_ICONSTOP);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_FALSE(main->Visible());
  delete main;
}

TEST(Application, OtherErrorsOfHandlersAreShownToo) {
  testing_support::ScriptedMessageBoxes boxes;
  TButton button(nullptr);
  button.OnClick = [](TObject*) { throw std::runtime_error("vector index"); };
  button.Click();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"vector index"});
}

TEST(Application, MessageBoxesGoThroughTheSeam) {
  testing_support::ScriptedMessageBoxes boxes;
  boxes.Script({IDYES, IDNO});
  Application->SetTitle("Pellix");
  EXPECT_EQ(Application->MessageBox("Relearn File Types?", "Kindlow", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(Application->MessageBox("Recycle this 1 File?", "Confirm File Delete", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(Application->MessageBox("again?", "Q", MB_YESNO), IDNO);  // the script is used up
  ShowMessage("Can't change directory to C:\\x");
  ASSERT_EQ(boxes.Shown().size(), 4u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Kindlow");
  EXPECT_EQ(boxes.Shown()[3].Caption, "Pellix");
  EXPECT_EQ(boxes.Shown()[3].Flags, MB_OK);
}

TEST(Application, HintTakesTheLongPartAndReportsChanges) {
  std::vector<std::string> seen;
  Application->OnHint = [&](TObject*) { seen.push_back(Application->Hint()); };
  TControl::HintHandler("Cut|Places the selected item's on the Clipboard");
  TControl::HintHandler("Places the selected item's on the Clipboard");
  TControl::HintHandler("");
  Application->OnHint = nullptr;
  EXPECT_EQ(seen, (std::vector<std::string>{"Places the selected item's on the Clipboard", ""}));
}

}  // namespace
