#include <gtest/gtest.h>

#include <QTest>

#include "CheckBox.h"
#include "Clipboard.h"
#include "Color.h"
#include "Edit.h"
#include "Form.h"
#include "Label.h"
#include "Panel.h"
#include "PrivateClipboard.h"
#include "ProgressBar.h"
#include "VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

namespace {

TEST(Controls, EditReportsEveryChangeOfItsText) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  std::vector<std::string> seen;
  edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
  edit->SetText("C:\\");
  QTest::keyClicks(edit->Widget(), "a");
  edit->SetReadOnly(true);
  QTest::keyClicks(edit->Widget(), "b");
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\", "C:\\a"}));
  EXPECT_TRUE(edit->ReadOnly());
}

TEST(Controls, EditKeyHandlersSeeTheCharactersAKeyTypesAndTheirChangesAreTyped) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  std::vector<unsigned short> downs;
  std::string pressed;
  edit->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { downs.push_back(key); };
  edit->OnKeyPress = [&](TObject*, char& key) {
    pressed += key;
    if (key == 'x') key = '*';  // typed in its place
    if (key == 'z') key = 0;    // consumed
  };
  const auto type = [&](const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(edit->Widget(), &press);
  };
  QTest::keyClicks(edit->Widget(), "ax:z\\");
  type(QString::fromUtf8("\xC3\xA9"));
  QTest::keyClick(edit->Widget(), Qt::Key_Home);
  QTest::keyClick(edit->Widget(), Qt::Key_Delete);
  QTest::keyClick(edit->Widget(), Qt::Key_Tab);
  // Keys without a virtual-key code (":", "\\", letters of other layouts)
  // skip the key-down handler and are typed; an accented letter is pressed
  // byte by byte; Delete and Tab type no character.
  EXPECT_EQ(pressed, "ax:z\\\xC3\xA9");
  EXPECT_EQ(edit->Text(), "*:\\\xC3\xA9");
  EXPECT_EQ(downs, (std::vector<unsigned short>{'A', 'X', 'Z', VK_HOME, VK_DELETE, VK_TAB}));
  QTest::keyClick(edit->Widget(), Qt::Key_End);
  QTest::keyClick(edit->Widget(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 1);
}

TEST(Controls, CheckBoxClicksWithEveryChange) {
  TCheckBox box(nullptr);
  int clicks = 0;
  box.OnClick = [&](TObject*) { ++clicks; };
  box.SetCaption("Include Subdirectories");
  box.SetChecked(true);
  box.SetChecked(true);
  QTest::mouseClick(box.Widget(), Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST(Controls, ProgressBarStaysInItsRange) {
  TProgressBar bar(nullptr);
  bar.SetStep(2);
  bar.SetSmooth(true);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 2);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position(), 100);
  bar.SetPosition(-1);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetMax(10);
  bar.SetPosition(9);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 1);
}

TEST(Controls, LabelSizesItselfToItsCaption) {
  TLabel label(nullptr);
  label.SetCaption("Learning File Extensions");
  const int wide = label.Width();
  EXPECT_GT(wide, 0);
  label.SetCaption("DONE!");
  EXPECT_LT(label.Width(), wide);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 300, 20);
  label.SetCaption("100%");
  EXPECT_EQ(label.Width(), 300);
  label.SetTransparent(true);
  EXPECT_TRUE(label.Transparent());
}

TEST(Controls, PanelHoldsControls) {
  TPanel panel(nullptr);
  auto* label = new TLabel(&panel);
  label->SetParent(&panel);
  label->SetBounds(9, 3, 50, 13);
  panel.SetBevelOuter(bvLowered);
  panel.SetCaption("");
  EXPECT_EQ(panel.ControlCount(), 1);
  EXPECT_EQ(label->Widget()->parentWidget(), panel.Widget());
}

TEST(Colors, NegativeValuesDrawSystemColoursAndUnknownIndicesBlack) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xF332A968u)), 0u);
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x800000FFu)), 0u);
  const QColor face = QApplication::palette().color(QPalette::Button);
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<std::uint32_t>(face.red() | face.green() << 8 | face.blue() << 16));
  EXPECT_EQ(clBtnFace, -2147483633);
}

TEST(Clipboard, PrivateStoreKeepsTheTextAsWritten) {
  testing_support::PrivateClipboard clipboard;
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), "");
  const std::string text = "PX4\nC:\\Data\\\n0\na.txt\r\nb.txt\r\n";
  Clipboard()->SetAsText(text);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), text);
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

}  // namespace
