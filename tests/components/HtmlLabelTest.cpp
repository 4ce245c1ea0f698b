// The hyperlink label: its two fonts and the pointer over it, and opening
// its address with the shell.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "components/HtmlLabel.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Font.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/ChildTests.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

const fs::path kHelpers = PELLIX_TEST_HELPERS;

bool SameFont(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Height() == b.Height() && a.Size() == b.Size() && a.Color() == b.Color() &&
         a.Style() == b.Style() && a.Charset() == b.Charset();
}

// The font the label shows (its own, which it keeps from others).
const TFont& Shown(THtmlLabel& label) { return *static_cast<TControl&>(label).Font(); }

void Enter(THtmlLabel& label) {
  QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(label.Widget(), &event);
}

void Leave(THtmlLabel& label) {
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(label.Widget(), &event);
}

void Press(THtmlLabel& label, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), button, button, modifiers);
  QCoreApplication::sendEvent(label.Widget(), &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), button, {}, modifiers);
  QCoreApplication::sendEvent(label.Widget(), &release);
}

// A label on a shown form, its Normal font an Arial and its HighLight a
// bold Courier, the application's cursor the default one.
class HtmlLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Screen->SetCursor(crDefault);
    label_ = new THtmlLabel(&form_);
    label_->SetParent(&form_);
    label_->SetCaption("Makers");
    normal_.SetName("Arial");
    normal_.SetHeight(-14);
    highLight_.SetName("Courier");
    highLight_.SetHeight(-14);
    highLight_.SetColor(clRed);
    highLight_.SetStyle(fsBold | fsUnderline);
    label_->SetNormal(&normal_);
    label_->SetHighLight(&highLight_);
    form_.Show();
  }
  void TearDown() override { Screen->SetCursor(crDefault); }

  TForm form_{nullptr};
  THtmlLabel* label_ = nullptr;
  TFont normal_;
  TFont highLight_;
};

TEST(HtmlLabel, StartsWithCopiesOfItsFontAndShowsNormalOnlyWhenAsked) {
  TForm form(nullptr);
  auto* label = new THtmlLabel(&form);
  const TFont created = Shown(*label);
  EXPECT_TRUE(SameFont(*label->Normal(), created));
  TFont blue = created;
  blue.SetColor(clBlue);
  EXPECT_TRUE(SameFont(*label->HighLight(), blue));
  EXPECT_EQ(label->HyperLink.rfind("https://", 0), 0u) << label->HyperLink;
  EXPECT_EQ(label->SavedCursor, crDefault);

  // A layout fills Normal in place: the label keeps its font until ShowLabel.
  label->Normal()->SetName("Impact");
  label->Normal()->SetHeight(-16);
  EXPECT_TRUE(SameFont(Shown(*label), created));
  label->ShowLabel();
  EXPECT_TRUE(SameFont(Shown(*label), *label->Normal()));
  EXPECT_EQ(label->Widget()->font().pixelSize(), 16);
}

TEST_F(HtmlLabelTest, HoveringShowsHighLightAndTheHandThenPutsBackWhatWasBefore) {
  Screen->SetCursor(crHourGlass);
  Enter(*label_);
  EXPECT_TRUE(SameFont(Shown(*label_), highLight_));
  EXPECT_TRUE(label_->Widget()->font().underline());
  EXPECT_EQ(Screen->Cursor(), crHandPoint);
  EXPECT_EQ(label_->SavedCursor, crHourGlass);
  Leave(*label_);
  EXPECT_TRUE(SameFont(Shown(*label_), normal_));
  EXPECT_FALSE(label_->Widget()->font().underline());
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
}

TEST_F(HtmlLabelTest, LeavingWithoutEnteringGivesTheDefaultCursor) {
  Screen->SetCursor(crHourGlass);
  Leave(*label_);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_TRUE(SameFont(Shown(*label_), normal_));
}

TEST_F(HtmlLabelTest, NewFontsWhileHoveredNormalShowsAtOnceHighLightOnTheNextEntry) {
  Enter(*label_);
  TFont other;
  other.SetName("Times");
  other.SetColor(clGreen);
  label_->SetHighLight(&other);
  EXPECT_TRUE(SameFont(Shown(*label_), highLight_));
  EXPECT_TRUE(SameFont(*label_->HighLight(), other));
  other.SetColor(clNavy);  // the label took a copy
  EXPECT_EQ(label_->HighLight()->Color(), clGreen);

  TFont plain;
  plain.SetName("Helvetica");
  label_->SetNormal(&plain);
  EXPECT_TRUE(SameFont(Shown(*label_), plain));
  Leave(*label_);
  Enter(*label_);
  EXPECT_EQ(Shown(*label_).Name(), "Times");
}

// Each press runs in a child process whose desktop folders hold only an
// https association with the recording helper, so no real browser is ever
// asked and GIO's caches of this process play no part.
TEST(HtmlLabelShell, PressingAnyButtonOpensTheAddressAndFailuresShowNothing) {
  const fs::path scratch = testing_support::FreshFolder("html-label-shell");
  const fs::path records = scratch / "records";
  fs::create_directories(records);
  testing_support::WriteFile(scratch / "sysdata/applications/pellix-web.desktop",
                             "[Desktop Entry]\nType=Application\nName=Web\nExec=" +
                                 (kHelpers / "record_args_gui").string() + " %u\nTerminal=false\n");
  testing_support::WriteFile(scratch / "sysconfig/mimeapps.list",
                             "[Default Applications]\nx-scheme-handler/https=pellix-web.desktop\n");

  ASSERT_TRUE(
      testing_support::RunChildTests("HtmlLabelShellChild.*", {{"XDG_DATA_DIRS", (scratch / "sysdata").string()},
                                                               {"XDG_CONFIG_DIRS", (scratch / "sysconfig").string()},
                                                               {"RECORD_ARGS_DIR", records.string()},
                                                               {"PELLIX_LABEL_CHILD", scratch.string()}}))
      << "the child's tests failed";

  // The helper records its working folder, its path and its argument.
  std::set<std::string> opened;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    opened.clear();
    for (const auto& entry : fs::directory_iterator(records)) {
      if (entry.path().extension() == ".part") continue;
      std::ifstream in(entry.path());
      std::string line;
      for (int i = 0; i < 3 && std::getline(in, line); ++i) {
      }
      opened.insert(line);
    }
    if (opened.size() >= 3 || std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(opened, (std::set<std::string>{"https://example.org/left", "https://example.org/right",
                                           "https://example.org/middle"}));
}

// Runs only inside the child process of the case above.
TEST(HtmlLabelShellChild, Presses) {
  const char* scratch = std::getenv("PELLIX_LABEL_CHILD");
  if (scratch == nullptr) GTEST_SKIP() << "runs in a child process of its own";
  platform::SetDriveMap({{'C', scratch, 3}});
  testing_support::ScriptedMessageBoxes boxes;
  TForm form(nullptr);
  auto* label = new THtmlLabel(&form);
  label->SetParent(&form);
  label->SetCaption("Makers");
  form.Show();
  // Nothing to open, no file, no application for the scheme: nothing happens.
  for (const char* link : {"", R"(C:\missing.txt)", "http://example.org/", "pellix-nothing:here"}) {
    label->HyperLink = link;
    Press(*label, Qt::LeftButton);
  }
  const struct {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    const char* link;
  } presses[] = {{Qt::LeftButton, {}, "https://example.org/left"},
                 {Qt::RightButton, Qt::ShiftModifier, "https://example.org/right"},
                 {Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, "https://example.org/middle"}};
  for (const auto& p : presses) {
    label->HyperLink = p.link;
    Press(*label, p.button, p.modifiers);
  }
  EXPECT_TRUE(boxes.Shown().empty());
  platform::UseDefaultDriveMap();
}

}  // namespace
