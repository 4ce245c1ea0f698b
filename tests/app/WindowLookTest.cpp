// How the windows look: every window and dialog at its design size shows
// each caption whole, text fields and check boxes keep the edit colour
// whatever colour the window takes, a disabled button greys its text, and
// the search dialog's folder picker hides what lies behind it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/About_Form.h"
#include "app/MainForm.h"
#include "app/PXManager.h"
#include "app/Properties.h"
#include "app/RegForm.h"
#include "app/Search_Form.h"
#include "components/DirList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Panel.h"
#include "framework/controls/UpDown.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "framework/graphics/Color.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

using app_test::MainWindowTest;
using testing_support::WriteFile;

// The text a caption shows: "&&" is one ampersand, another "&" marks the
// access key and is not drawn.
QString Shown(const QString& caption) {
  QString out;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// The width the control has for its caption, by the style's layout of it
// (after the check mark, inside the button's frame, inside the label's
// margins); -1 for a widget that has no caption of its own to fit.
int RoomForCaption(QWidget* w) {
  if (auto* box = qobject_cast<QCheckBox*>(w)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
  }
  if (auto* radio = qobject_cast<QRadioButton*>(w)) {
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    return radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio).width();
  }
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    if (!button->icon().isNull()) room -= button->iconSize().width() + 4;
    return room;
  }
  if (auto* tool = qobject_cast<QToolButton*>(w)) {
    // The style's frame and margin around the text, and the picture beside it.
    if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return -1;
    int room = tool->width() - 2 * tool->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tool) - 2;
    if (tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) room -= tool->iconSize().width() + 4;
    return room;
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->wordWrap() || label->textFormat() == Qt::RichText || !label->pixmap().isNull()) return -1;
    return label->contentsRect().width() - 2 * label->margin() - label->indent() * (label->indent() > 0);
  }
  return -1;
}

QString CaptionOf(QWidget* w) {
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return Shown(button->text());
  if (auto* label = qobject_cast<QLabel*>(w)) return Shown(label->text());
  return {};
}

// Every control of a window whose caption is wider, in its own font, than
// the room the control gives it: "window / caption: text width > room".
std::vector<std::string> ClippedCaptions(TForm* form) {
  std::vector<std::string> clipped;
  for (QWidget* w : form->Widget()->findChildren<QWidget*>()) {
    const QString caption = CaptionOf(w);
    if (caption.trimmed().isEmpty()) continue;
    const int room = RoomForCaption(w);
    if (room < 0) continue;
    const int needed = w->fontMetrics().horizontalAdvance(caption);
    if (needed > room)
      clipped.push_back(form->Caption() + " / " + caption.toStdString() + ": " + std::to_string(needed) + " > " +
                        std::to_string(room));
  }
  return clipped;
}

// The colour of a widget's pixel as it draws itself.
QColor Pixel(QWidget* w, int x, int y) { return w->grab().toImage().pixelColor(x, y); }

QColor QtColor(TColor color) {
  const std::uint32_t rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

// The program's five windows, built as the entry builds them, at their
// design sizes with the default settings.
class WindowLook : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenWindow();
    Application->CreateForm(PropForm);
    Application->CreateForm(AboutBox);
    Application->CreateForm(SearchForm);
    Application->CreateForm(LearnForm);
  }
  void TearDown() override {
    delete SearchForm;
    delete AboutBox;
    delete PropForm;
    delete LearnForm;
    LearnForm = nullptr;
    MainWindowTest::TearDown();
  }
  std::vector<TForm*> Windows() const { return {MainForm, PropForm, AboutBox, SearchForm, LearnForm}; }

  testing_support::ScriptedMessageBoxes boxes_;
};

TEST_F(WindowLook, EveryCaptionFitsItsControl) {
  boxes_.Script({IDNO});  // the learner asks whether to learn again when it opens
  std::vector<std::string> clipped;
  for (TForm* form : Windows()) {
    form->Show();
    QApplication::processEvents();
    for (const std::string& c : ClippedCaptions(form)) clipped.push_back(c);
    form->Hide();
  }
  EXPECT_EQ(clipped, std::vector<std::string>{});
}

// The caption check itself: a check box of the framework's default width
// cuts a long caption.
TEST_F(WindowLook, TheCaptionCheckFindsACutCaption) {
  auto* box = new TCheckBox(SearchForm);
  box->SetParent(SearchForm);
  box->SetCaption("Search Sub Directories and much more");
  EXPECT_EQ(ClippedCaptions(SearchForm).size(), 1u);
  delete box;
}

// With a window colour of its own, text fields and check boxes still draw
// their text area in the edit colour; the window and its panels take the
// window colour.
TEST_F(WindowLook, TextFieldsKeepTheEditColourWhateverTheWindowsColour) {
  WriteFile(SettingsFile(), "[ENV]\nBackCl=255\n");  // red
  PXManager->LoadSettings(MainForm->ProgramDir + "Settings.ini");
  PXManager->ApplyLook(1);
  PXManager->ApplyLook(2);
  PXManager->ApplyLook(3);
  const QColor edit = QtColor(clWindow);
  ASSERT_NE(edit, QColor(Qt::red));
  for (TForm* form : {static_cast<TForm*>(MainForm), static_cast<TForm*>(PropForm)}) {
    form->Show();
    QApplication::processEvents();
    for (QLineEdit* line : form->Widget()->findChildren<QLineEdit*>()) {
      if (line->isReadOnly() || !line->isVisibleTo(form->Widget())) continue;
      EXPECT_EQ(line->palette().color(QPalette::Base), edit) << form->Caption() << " " << line->text().toStdString();
    }
    for (QCheckBox* box : form->Widget()->findChildren<QCheckBox*>())
      EXPECT_EQ(box->palette().color(QPalette::Base), edit) << box->text().toStdString();
    form->Hide();
  }
  // The location line as it is drawn, right of its text.
  QLineEdit* location = static_cast<QLineEdit*>(MainForm->DirList->DirLabel->Widget());
  MainForm->Show();
  QApplication::processEvents();
  EXPECT_EQ(Pixel(location, location->width() - 6, location->height() / 2), edit);
  EXPECT_EQ(MainForm->Widget()->palette().color(QPalette::Window), QColor(Qt::red));
  QWidget* status = MainForm->StatusPanel->Widget();
  EXPECT_EQ(Pixel(status, status->width() - 4, status->height() / 2), QColor(Qt::red));
}

TEST_F(WindowLook, ADisabledButtonGreysItsText) {
  PXManager->ApplyLook(3);  // the display font and its colour
  TButton* ok = SearchForm->Ok_B;
  ok->SetEnabled(false);
  const QPalette palette = ok->Widget()->palette();
  EXPECT_NE(palette.color(QPalette::Disabled, QPalette::ButtonText),
            palette.color(QPalette::Active, QPalette::ButtonText));
  EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::ButtonText),
            QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
}

// The picker panel stands over the result list: where it has no control of
// its own, it shows its colour, not the rows behind it.
TEST_F(WindowLook, TheFolderPickerHidesTheResultsBehindIt) {
  SearchForm->Show();
  SearchForm->Loc_P->SetVisible(true);
  QApplication::processEvents();
  QWidget* panel = SearchForm->Loc_P->Widget();
  QWidget* form = SearchForm->Widget();
  const QImage drawn = form->grab().toImage();
  // Every point of the panel that none of its own controls covers shows the
  // panel's colour, not the result list below it.
  int seen = 0;
  for (int y = 2; y < panel->height() - 2; y += 7) {
    for (int x = 2; x < panel->width() - 2; x += 7) {
      if (panel->childAt(x, y) != nullptr) continue;
      const QPoint at = panel->mapTo(form, QPoint(x, y));
      ASSERT_EQ(drawn.pixelColor(at), panel->palette().color(QPalette::Window)) << x << "," << y;
      ++seen;
    }
  }
  EXPECT_GT(seen, 0);
}

TEST_F(WindowLook, UpDownsStepOnTheUpAndDownKeys) {
  SearchForm->Show();
  TEdit* edit = SearchForm->SLeast_E;
  TUpDown* upDown = SearchForm->SLeast_UD;
  edit->SetFocus();
  QTest::keyClick(edit->Widget(), Qt::Key_Up);
  QTest::keyClick(edit->Widget(), Qt::Key_Up);
  EXPECT_EQ(upDown->Position(), 20);
  EXPECT_EQ(edit->Text(), "20");
  QTest::keyClick(edit->Widget(), Qt::Key_Down);
  EXPECT_EQ(upDown->Position(), 10);
  QTest::keyClick(edit->Widget(), Qt::Key_Down);
  QTest::keyClick(edit->Widget(), Qt::Key_Down);
  EXPECT_EQ(upDown->Position(), 0);  // no wrap below the least
}

}  // namespace
