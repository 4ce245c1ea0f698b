#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "framework/controls/Edit.h"
#include "framework/controls/Panel.h"
#include "framework/core/VirtualKeys.h"
#include "framework/forms/Button.h"
#include "framework/forms/Form.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

TEST(Form, ShowModalReturnsTheModalResultOfTheButtonPressed) {
  TForm dialog(nullptr);
  auto* ok = new TButton(&dialog);
  ok->SetParent(&dialog);
  ok->SetModalResult(mrOk);
  int activations = 0;
  int closes = 0;
  dialog.OnActivate = [&](TObject*) {
    ++activations;
    QTimer::singleShot(0, [&] { QTest::mouseClick(ok->Widget(), Qt::LeftButton); });
  };
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    ++closes;
    EXPECT_EQ(action, caHide);
  };
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(closes, 1);
  // Shown again, it activates again.
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(activations, 2);
}

TEST(Form, ADialogThatClosesItselfOnActivationReturnsAtOnce) {
  TForm dialog(nullptr);
  dialog.OnActivate = [&](TObject*) { dialog.Close(); };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_FALSE(dialog.Visible());
}

TEST(Form, CloseActionNoneKeepsAModalFormOpen) {
  TForm dialog(nullptr);
  int asked = 0;
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    if (++asked == 1) action = caNone;
  };
  dialog.OnActivate = [&](TObject*) {
    QTimer::singleShot(0, [&] {
      dialog.Close();
      QTimer::singleShot(0, [&] { dialog.SetModalResult(mrYes); });
    });
  };
  EXPECT_EQ(dialog.ShowModal(), mrYes);
  EXPECT_EQ(asked, 2);
}

TEST(Form, ClosingADialogHidesIt) {
  TForm dialog(nullptr);
  dialog.Show();
  EXPECT_TRUE(dialog.Visible());
  EXPECT_TRUE(dialog.Active());
  dialog.Close();
  EXPECT_FALSE(dialog.Visible());
  dialog.Show();
  QTest::keyClick(dialog.Widget(), Qt::Key_F4, Qt::AltModifier);  // no effect offscreen, must not crash
  dialog.Widget()->close();                                       // the window's close box
  EXPECT_FALSE(dialog.Visible());
}

TEST(Form, OuterGeometryIncludesTheFrame) {
  TForm form(nullptr);
  int resizes = 0;
  form.OnResize = [&](TObject*) { ++resizes; };
  form.SetBounds(1, -6, 801, 605);
  EXPECT_EQ(resizes, 1);  // at once, although the form is hidden
  EXPECT_EQ(form.Width(), 801);
  EXPECT_EQ(form.Height(), 605);
  EXPECT_EQ(form.ClientWidth(), 793);
  EXPECT_EQ(form.ClientHeight(), 578);
  form.SetWidth(800);
  form.SetHeight(600);
  EXPECT_EQ(form.Left(), 1);
  EXPECT_EQ(form.Width(), 800);
  EXPECT_EQ(form.Height(), 600);
  EXPECT_EQ(resizes, 3);
  form.Show();
  EXPECT_EQ(form.Width(), 800);
  EXPECT_EQ(form.WindowState(), wsNormal);
}

TEST(Form, ADialogFrameKeepsTheSizeTheProgramGives) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  form.SetClientWidth(284);
  form.SetClientHeight(216);
  form.Show();
  const QWidget* window = form.Widget();
  EXPECT_EQ(window->minimumSize(), QSize(284, 216));
  EXPECT_EQ(window->maximumSize(), QSize(284, 216));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->isVisible());
  form.SetBorderStyle(bsSizeable);  // shown again with the frame it gets
  EXPECT_TRUE(window->isVisible());
  form.SetWidth(400);
  EXPECT_EQ(form.Width(), 400);
  EXPECT_EQ(form.BorderStyle(), bsSizeable);
}

TEST(Form, ScreenCenterPlacesTheFormWhenShown) {
  TForm form(nullptr);
  form.SetPosition(poScreenCenter);
  form.SetBounds(0, 0, 378, 225);
  form.Show();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(form.Left(), area.x() + (area.width() - 378) / 2);
  EXPECT_EQ(form.Top(), area.y() + (area.height() - 225) / 2);
}

class FormKeys : public ::testing::Test {
 protected:
  FormKeys() : form_(nullptr) {
    panel_ = new TPanel(&form_);
    panel_->SetParent(&form_);
    edit_ = new TEdit(&form_);
    edit_->SetParent(panel_);
    ok_ = new TButton(&form_);
    ok_->SetParent(&form_);
    ok_->SetDefault(true);
    cancel_ = new TButton(&form_);
    cancel_->SetParent(&form_);
    cancel_->SetCancel(true);
    ok_->OnClick = [this](TObject*) { log_.push_back("ok"); };
    cancel_->OnClick = [this](TObject*) { log_.push_back("cancel"); };
    form_.OnKeyDown = [this](TObject*, unsigned short& key, TShiftState) {
      log_.push_back("form " + std::to_string(key));
      if (key == VK_F2) key = 0;
    };
    edit_->OnKeyDown = [this](TObject*, unsigned short& key, TShiftState) {
      log_.push_back("edit " + std::to_string(key));
      if (key == VK_RETURN && consumeEnter_) key = 0;
    };
    form_.Show();
  }
  TForm form_;
  TPanel* panel_;
  TEdit* edit_;
  TButton* ok_;
  TButton* cancel_;
  bool consumeEnter_ = false;
  std::vector<std::string> log_;
};

TEST_F(FormKeys, AControlsKeysDoNotReachTheFormAgain) {
  QTest::keyClick(edit_->Widget(), Qt::Key_F5);
  QTest::keyClick(form_.Widget(), Qt::Key_F5);
  EXPECT_EQ(log_, (std::vector<std::string>{"edit 116", "form 116"}));
}

TEST_F(FormKeys, EnterAndEscapePressTheDefaultAndCancelButtons) {
  QTest::keyClick(edit_->Widget(), Qt::Key_Return);
  QTest::keyClick(edit_->Widget(), Qt::Key_Escape);
  EXPECT_EQ(log_, (std::vector<std::string>{"edit 13", "ok", "edit 27", "cancel"}));
}

TEST_F(FormKeys, AConsumedEnterGoesNoFurther) {
  consumeEnter_ = true;
  edit_->SetText("C:\\Data");
  QTest::keyClick(edit_->Widget(), Qt::Key_Return);
  EXPECT_EQ(log_, (std::vector<std::string>{"edit 13"}));
  EXPECT_EQ(edit_->Text(), "C:\\Data");
}

TEST_F(FormKeys, KeyPreviewLetsTheFormSeeKeysFirst) {
  form_.SetKeyPreview(true);
  QTest::keyClick(edit_->Widget(), Qt::Key_F5);
  QTest::keyClick(edit_->Widget(), Qt::Key_F2);
  EXPECT_TRUE(edit_->SimulateKeyDown(VK_F2, 0));
  EXPECT_EQ(log_, (std::vector<std::string>{"form 116", "edit 116", "form 113", "form 113"}));
}

}  // namespace
