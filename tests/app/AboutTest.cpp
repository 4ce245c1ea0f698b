// The about box: one box however often it is shown, OK and the close box
// only hide it, and its layout with the hyperlink in its Normal font.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <string>

#include "app/About_Form.h"
#include "components/HtmlLabel.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/graphics/Font.h"
#include "platform/drives/ProgramFolder.h"

namespace {

// The about box beside a plain window standing in for the main window, in
// the build's program folder (where the resource library is).
class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->CreateForm(main_);
    main_->Show();
    Application->CreateForm(AboutBox);
  }
  void TearDown() override {
    delete AboutBox;
    EXPECT_EQ(AboutBox, nullptr);
    delete main_;
    platform::SetProgramHostFolder("");
  }

  static int ShownAboutBoxes() {
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == "About") ++shown;
    return shown;
  }

  TForm* main_ = nullptr;
};

TEST_F(AboutTest, ShowingTwiceShowsOneBox) {
  EXPECT_EQ(ShownAboutBoxes(), 0);
  AboutBox->Show();
  AboutBox->Show();
  EXPECT_EQ(ShownAboutBoxes(), 1);
}

TEST_F(AboutTest, OkAndTheCloseBoxHideTheBoxAndTheProgramGoesOn) {
  TAboutBox* const box = AboutBox;
  const struct {
    const char* how;
    void (*close)();
  } ways[] = {{"OK", [] { AboutBox->Ok_B->Click(); }}, {"close box", [] { AboutBox->Widget()->close(); }}};
  for (const auto& way : ways) {
    AboutBox->Show();
    way.close();
    EXPECT_FALSE(AboutBox->Visible()) << way.how;
    EXPECT_EQ(AboutBox, box) << way.how;
    EXPECT_TRUE(main_->Visible()) << way.how;
    EXPECT_EQ(Application->MainForm(), main_) << way.how;
    EXPECT_FALSE(Application->Terminated()) << way.how;
  }
  AboutBox->Show();  // the same box again
  EXPECT_EQ(ShownAboutBoxes(), 1);
}

TEST_F(AboutTest, TheLinkShowsItsNormalFontAndTheBoxItsPicture) {
  THtmlLabel* site = AboutBox->ISite;
  const TFont& shown = *static_cast<TControl*>(site)->Font();
  EXPECT_EQ(shown.Name(), "Impact");
  EXPECT_EQ(shown.Height(), 16);
  EXPECT_EQ(shown.Color(), clWindowText);
  EXPECT_EQ(shown.Style(), 0);
  EXPECT_EQ(site->HighLight()->Color(), clBlue);
  EXPECT_EQ(site->HighLight()->Style(), fsUnderline);
  EXPECT_EQ(site->Caption(), "Pellix developers");
  EXPECT_EQ(site->HyperLink, "https://example.org/pellix/");
  EXPECT_EQ(AboutBox->ProductName->Caption(), "Pellix");
  EXPECT_EQ(AboutBox->Version->Caption(), "Version: 4.1c");
  EXPECT_EQ(AboutBox->ClientWidth(), 284);
  EXPECT_EQ(AboutBox->ClientHeight(), 216);
  EXPECT_EQ(AboutBox->BorderStyle(), bsDialog);
  // The picture from the resource library, the image sized to it.
  EXPECT_FALSE(AboutBox->Image1->Empty());
  EXPECT_EQ(AboutBox->Image1->Width(), 65);
  EXPECT_EQ(AboutBox->Image1->Height(), 133);
}

}  // namespace
