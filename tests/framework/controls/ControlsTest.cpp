#include <gtest/gtest.h>

#include <QTest>

#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/core/Clipboard.h"
#include "framework/core/VirtualKeys.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "tests/support/PrivateClipboard.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
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
  const int narrow = label.Width();
  label.Font()->SetHeight(-40);  // and to a new font
  EXPECT_GT(label.Width(), narrow);
  EXPECT_GT(label.Height(), 40);
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

// Missing faces fall back through the desktop's matching, but never to a
// symbol font, whose glyphs would not be the caption's letters.
TEST(Controls, AMissingFaceIsNeverDrawnInASymbolFont) {
  for (const char* name : {"Impact", "Comic Sans MS", "Arial", "No Such Face Anywhere"}) {
    TLabel label(nullptr);
    label.Font()->SetName(name);
    label.Font()->SetHeight(-16);
    const QString drawn = QFontInfo(label.Widget()->font()).family();
    if (QFontDatabase::hasFamily(name)) continue;
    EXPECT_FALSE(QFontDatabase::writingSystems(drawn).contains(QFontDatabase::Symbol))
        << name << " as " << drawn.toStdString();
    EXPECT_EQ(label.Widget()->font().pixelSize(), 16) << name;
  }
}

// A picture whose left half is clear and right half blue, on a red panel.
TEST(Controls, ImageTakesItsPictureSizeAndLetsItsParentShowThroughWhenTransparent) {
  QImage picture(4, 2, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) picture.setPixelColor(x, y, Qt::blue);
  TBitmap bitmap;
  bitmap.SetImage(picture);
  for (bool transparent : {true, false}) {
    TPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(clRed);
    auto* image = new TImage(&panel);
    image->SetParent(&panel);
    image->SetBounds(3, 3, 50, 50);
    image->SetColor(clLime);
    image->SetTransparent(transparent);
    image->SetAutoSize(true);
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(image->Width(), 50);  // no picture yet: the size it was given
    image->SetPicture(&bitmap);
    EXPECT_EQ(image->Width(), 4);
    EXPECT_EQ(image->Height(), 2);
    const QImage drawn = panel.Widget()->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(3, 3), transparent ? QColor(Qt::red) : QColor(Qt::green)) << transparent;
    EXPECT_EQ(drawn.pixelColor(5, 4), QColor(Qt::blue)) << transparent;
    image->SetPicture(nullptr);
    EXPECT_TRUE(image->Empty());
    delete image;
  }
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

namespace {

// A window's colour is its face: the edits and check boxes on it keep the
// edit colour for their text areas, and an edit's own colour is its text area's.
TEST(Controls, AWindowsColourLeavesTheTextAreasOfItsControls) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  auto* box = new TCheckBox(&form);
  box->SetParent(&form);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  const QColor base = QApplication::palette().color(QPalette::Base);
  ASSERT_NE(base, QColor(Qt::red));
  form.SetColor(clRed);
  EXPECT_EQ(form.Widget()->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_EQ(panel->Widget()->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_EQ(edit->Widget()->palette().color(QPalette::Base), base);
  EXPECT_EQ(box->Widget()->palette().color(QPalette::Base), base);
  edit->SetColor(clLime);
  EXPECT_EQ(edit->Widget()->palette().color(QPalette::Base), QColor(Qt::green));
}

}  // namespace
