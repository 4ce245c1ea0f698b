#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWidget>

#include "framework/bars/ToolBar.h"
#include "framework/bars/ToolButton.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/MainMenu.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"

namespace {

struct Host : TWinControl {
  Host() : TWinControl(nullptr) {
    SetWidget(new QWidget());
    Widget()->resize(800, 100);
  }
};

TToolButton* AddButton(TToolBar* bar, const std::string& caption, TToolButtonStyle style = tbsButton) {
  auto* button = new TToolButton(bar);
  button->SetCaption(caption);
  button->SetStyle(style);
  button->SetParent(bar);
  return button;
}

QToolButton* QtButton(TToolButton* button) { return static_cast<QToolButton*>(button->Widget()); }

// The main window's menu bar: five flat buttons 62 x 24 showing captions,
// sized to its buttons, no wrapping and no edges.
struct MenuBarFixture : ::testing::Test {
  MenuBarFixture() : bar(nullptr) {
    bar.SetParent(&host);
    bar.SetFlat(true);
    bar.SetShowCaptions(true);
    bar.SetButtonWidth(62);
    bar.SetButtonHeight(24);
    bar.SetWrapable(false);
    bar.SetEdgeBorders(0);
    bar.SetAutoSize(true);
    for (const char* caption : {"&File", "&Edit", "&Options", "&View", "&Help"}) {
      TMenuItem* menu = new TMenuItem(nullptr);
      menu->SetCaption(caption);
      mainMenu.Items()->Add(menu);
      auto* item = new TMenuItem(nullptr);
      item->SetCaption(std::string("Item of ") + caption);
      menu->Add(item);
      AddButton(&bar, caption)->SetMenuItem(menu);
    }
  }
  ~MenuBarFixture() override {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
  }
  Host host;
  TToolBar bar;
  TMainMenu mainMenu{nullptr};
};

TEST_F(MenuBarFixture, SizesItselfToItsButtonsWhichShowTheirCaptions) {
  EXPECT_EQ(bar.ButtonCount(), 5);
  EXPECT_EQ(bar.Width(), 310);
  EXPECT_EQ(bar.Height(), 24);
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    EXPECT_EQ(bar.Buttons(i)->Left(), 62 * i);
    EXPECT_EQ(bar.Buttons(i)->Top(), 0);
    EXPECT_EQ(bar.Buttons(i)->Width(), 62);
    EXPECT_EQ(QtButton(bar.Buttons(i))->text().toStdString(), bar.Buttons(i)->Caption());
    EXPECT_TRUE(QtButton(bar.Buttons(i))->autoRaise());
  }
  bar.Buttons(1)->Hide();
  EXPECT_EQ(bar.Width(), 248);
  EXPECT_EQ(bar.Buttons(2)->Left(), 62);
  AddButton(&bar, "", tbsSeparator)->SetWidth(6);
  EXPECT_EQ(bar.Width(), 254);
}

TEST_F(MenuBarFixture, EachButtonDropsDownItsOwnMenuWithoutWaiting) {
  host.Widget()->show();
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    TMenuItem* menu = mainMenu.Items()->Items(i);
    std::vector<TObject*> itemClicks;
    menu->OnClick = [&](TObject* sender) { itemClicks.push_back(sender); };
    bar.Buttons(i)->Click();
    EXPECT_EQ(QApplication::activePopupWidget(), menu->SubMenu()) << i;
    EXPECT_EQ(itemClicks, std::vector<TObject*>{menu});
    menu->SubMenu()->hide();
  }
}

TEST(ToolButton, AClickRunsOnClickWithTheButtonAsSender) {
  Host host;
  TToolBar bar(nullptr);
  bar.SetParent(&host);
  TToolButton* up = AddButton(&bar, "Up");
  TToolButton* gap = AddButton(&bar, "", tbsSeparator);
  std::vector<TObject*> senders;
  for (TToolButton* b : {up, gap}) b->OnClick = [&](TObject* sender) { senders.push_back(sender); };
  host.Widget()->show();
  up->Click();
  QTest::mouseClick(up->Widget(), Qt::LeftButton);
  gap->Click();
  EXPECT_EQ(senders, (std::vector<TObject*>{up, up}));
}

TEST(ToolButton, ADropdownMenuRunsItsOnPopupAndOpens) {
  Host host;
  TToolBar bar(nullptr);
  bar.SetParent(&host);
  TPopupMenu popup(nullptr);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption("&Open");
  popup.Items()->Add(item);
  TObject* popped = nullptr;
  popup.OnPopup = [&](TObject* sender) { popped = sender; };
  TToolButton* button = AddButton(&bar, "Open");
  button->SetDropdownMenu(&popup);
  host.Widget()->show();
  button->Click();
  EXPECT_EQ(popped, &popup);
  EXPECT_TRUE(popup.IsOpen());
  popup.CloseUp();
}

TEST(ToolBar, StandardBarPlacesImageButtonsAndSeparatorsOfTheirOwnWidth) {
  Host host;
  TImageList images(nullptr, 16, 16);
  TToolBar bar(nullptr);
  bar.SetParent(&host);
  bar.SetEdgeBorders(0);
  bar.SetImages(&images);
  bar.SetBounds(334, 2, 197, 23);
  struct Spec {
    const char* caption;
    int image;
  };
  const Spec specs[] = {{"Up", 0},          {"Refresh", 6},      {"-", -1}, {"Move Files", 1},
                        {"Copy Files", 2},  {"Paste File's", 3}, {"-", -1}, {"Delete File's", 5},
                        {"Open File's", 7}, {"View File", 4}};
  for (const Spec& s : specs) {
    const bool separator = std::string(s.caption) == "-";
    TToolButton* b = AddButton(&bar, separator ? "" : s.caption, separator ? tbsSeparator : tbsButton);
    if (separator) {
      b->SetWidth(6);
    } else {
      b->SetImageIndex(s.image);
    }
  }
  const int lefts[] = {0, 23, 46, 52, 75, 98, 121, 127, 150, 173};
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    EXPECT_EQ(bar.Buttons(i)->Left(), lefts[i]) << i;
    // Image buttons show no text, so no caption binds an accelerator; the
    // image list holds no images yet and that must do no harm.
    EXPECT_TRUE(QtButton(bar.Buttons(i))->text().isEmpty());
  }
  EXPECT_EQ(bar.Buttons(2)->Width(), 6);
  EXPECT_EQ(bar.Buttons(1)->Width(), 23);
  EXPECT_EQ(bar.Width(), 197);
  EXPECT_EQ(bar.Left(), 334);
}

TEST(ToolBar, SeparatorsAreEightWideUnlessSetAndTheWidthMayComeBeforeTheStyle) {
  TToolBar bar(nullptr);
  bar.SetEdgeBorders(0);
  bar.SetAutoSize(true);
  bar.SetWrapable(false);
  TToolButton* plain = AddButton(&bar, "", tbsSeparator);
  auto* early = new TToolButton(&bar);
  early->SetWidth(6);
  early->SetStyle(tbsSeparator);
  early->SetParent(&bar);
  EXPECT_EQ(plain->Width(), 8);
  EXPECT_EQ(early->Width(), 6);
  EXPECT_EQ(bar.Width(), 14);
}

TEST(ToolBar, WrapableBarStartsNewLinesAndEdgesTakeTwoPixels) {
  TToolBar bar(nullptr);
  bar.SetBounds(0, 0, 50, 30);
  bar.SetEdgeBorders(ebTop | ebLeft);
  bar.SetAutoSize(true);
  for (int i = 0; i < 3; ++i) AddButton(&bar, "b");
  EXPECT_EQ(bar.Buttons(0)->Left(), 2);
  EXPECT_EQ(bar.Buttons(0)->Top(), 2);
  EXPECT_EQ(bar.Buttons(1)->Left(), 25);
  EXPECT_EQ(bar.Buttons(2)->Left(), 2);
  EXPECT_EQ(bar.Buttons(2)->Top(), 24);
  EXPECT_EQ(bar.Height(), 46);
  EXPECT_EQ(bar.Width(), 50);
}

TEST(ToolButton, HintIsShownAsATipWhenTheButtonOrItsBarShowsHints) {
  Host host;
  TToolBar bar(nullptr);
  bar.SetParent(&host);
  TToolButton* button = AddButton(&bar, "Delete File's");
  button->SetHint("Send Selected Files to Recycle Bin");
  host.Widget()->show();
  auto tipFor = [&] {
    QHelpEvent request(QEvent::ToolTip, QPoint(2, 2), button->Widget()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(button->Widget(), &request);
    const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return text.toStdString();
  };
  EXPECT_EQ(tipFor(), "");
  bar.SetShowHint(true);
  EXPECT_EQ(tipFor(), "Send Selected Files to Recycle Bin");
  bar.SetShowHint(false);
  button->SetShowHint(true);
  EXPECT_EQ(tipFor(), "Send Selected Files to Recycle Bin");
}

}  // namespace
