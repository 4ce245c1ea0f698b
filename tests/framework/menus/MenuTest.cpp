#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <memory>

#include "framework/core/Dispatch.h"
#include "framework/core/Exception.h"
#include "framework/forms/Control.h"
#include "framework/menus/MainMenu.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, const std::string& shortCut = "") {
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(caption);
  item->SetShortCutText(shortCut);
  parent->Add(item);
  return item;
}

std::vector<QString> MenuTexts(QMenu* menu) {
  std::vector<QString> texts;
  for (QAction* a : menu->actions()) texts.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
  return texts;
}

// Records what reaches the application's hint line while a test runs.
struct HintRecorder {
  HintRecorder() {
    previous = TControl::HintHandler;
    TControl::HintHandler = [this](const std::string& hint) { hints.push_back(hint); };
  }
  ~HintRecorder() { TControl::HintHandler = previous; }
  std::vector<std::string> hints;
  std::function<void(const std::string&)> previous;
};

struct PlainControl : TWinControl {
  PlainControl() : TWinControl(nullptr) { SetWidget(new QWidget()); }
};

TEST(MenuItem, CheckingARadioItemClearsTheOthersOfItsGroupInTheSameParent) {
  TMainMenu menu(nullptr);
  TMenuItem* view = AddItem(menu.Items(), "&View");
  std::vector<TMenuItem*> modes;
  for (const char* caption : {"Lar&ge Icons", "S&mall Icons", "&List", "&Details", "&Thumbnails"}) {
    TMenuItem* item = AddItem(view, caption);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    modes.push_back(item);
  }
  TMenuItem* otherGroup = AddItem(view, "Other group");
  otherGroup->SetRadioItem(true);
  otherGroup->SetGroupIndex(2);
  otherGroup->SetChecked(true);
  TMenuItem* plain = AddItem(view, "Plain");
  plain->SetChecked(true);
  TMenuItem* elsewhere = AddItem(AddItem(menu.Items(), "&Edit"), "Same group, other parent");
  elsewhere->SetRadioItem(true);
  elsewhere->SetGroupIndex(1);
  elsewhere->SetChecked(true);

  for (size_t chosen = 0; chosen < modes.size(); ++chosen) {
    modes[chosen]->SetChecked(true);
    for (size_t i = 0; i < modes.size(); ++i) {
      EXPECT_EQ(modes[i]->Checked(), i == chosen) << chosen << " " << i;
      EXPECT_EQ(modes[i]->Action()->isChecked(), i == chosen);
    }
  }
  EXPECT_TRUE(otherGroup->Checked());
  EXPECT_TRUE(plain->Checked());
  EXPECT_TRUE(elsewhere->Checked());
}

TEST(MenuItem, ShortCutTextIsShownBesideTheCaptionAndBindsNoKey) {
  struct Case {
    const char* text;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  const Case cases[] = {{"Ctrl+X", Qt::Key_X, Qt::ControlModifier},
                        {"Alt+Enter", Qt::Key_Return, Qt::AltModifier},
                        {"Delete", Qt::Key_Delete, Qt::NoModifier},
                        {"F12", Qt::Key_F12, Qt::NoModifier},
                        {"Enter", Qt::Key_Return, Qt::NoModifier}};
  QWidget window;
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  TPopupMenu menu(nullptr);
  for (const Case& c : cases) {
    TMenuItem* item = AddItem(menu.Items(), "Cu&t", c.text);
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(item->Action()->text(), QString("Cu&t\t") + c.text);
    EXPECT_TRUE(item->Action()->shortcut().isEmpty());
    // Even with the item's action on the focused window, the key is the window's alone.
    window.addAction(item->Action());
    QTest::keyClick(&window, c.key, c.modifiers);
    EXPECT_EQ(clicks, 0) << c.text;
    window.removeAction(item->Action());
  }

  // The same key does reach an action that is bound to it, so the check above means something.
  QAction bound;
  bound.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  int boundClicks = 0;
  QObject::connect(&bound, &QAction::triggered, [&] { ++boundClicks; });
  window.addAction(&bound);
  QTest::keyClick(&window, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(boundClicks, 1);
}

TEST(MenuItem, AmpersandMarksTheAcceleratorOfAnOpenMenuAndALoneDashIsASeparator) {
  TPopupMenu menu(nullptr);
  TMenuItem* open = AddItem(menu.Items(), "&Open");
  TMenuItem* line = AddItem(menu.Items(), "-");
  TMenuItem* cut = AddItem(menu.Items(), "C&ut");
  std::vector<TObject*> clicked;
  for (TMenuItem* item : {open, cut}) item->OnClick = [&](TObject* sender) { clicked.push_back(sender); };
  EXPECT_EQ(cut->Caption(), "C&ut");
  EXPECT_TRUE(line->IsLine());
  EXPECT_TRUE(line->Action()->isSeparator());
  EXPECT_TRUE(line->Action()->text().isEmpty()) << "a separator draws no text beside its line";

  menu.Popup(10, 10);
  ASSERT_TRUE(menu.IsOpen());
  QTest::keyClick(menu.Items()->SubMenu(), Qt::Key_U);
  EXPECT_EQ(clicked, std::vector<TObject*>{cut});
  menu.CloseUp();
  EXPECT_FALSE(menu.IsOpen());
}

TEST(MenuItem, ClickAndTheTriggeredActionRunOnClickWithTheItemAsSender) {
  TMainMenu menu(nullptr);
  TMenuItem* item = AddItem(AddItem(menu.Items(), "&File"), "E&xit", "Alt+X");
  std::vector<TObject*> senders;
  item->OnClick = [&](TObject* sender) { senders.push_back(sender); };
  item->Click();
  item->Action()->trigger();
  EXPECT_EQ(senders, (std::vector<TObject*>{item, item}));

  item->SetEnabled(false);
  item->Click();
  item->Action()->trigger();
  EXPECT_EQ(senders.size(), 2u);
}

TEST(MenuItem, TriggeringLeavesTheCheckMarkToTheHandler) {
  TPopupMenu menu(nullptr);
  TMenuItem* checked = AddItem(menu.Items(), "&Location");
  checked->SetChecked(true);
  TMenuItem* unchecked = AddItem(menu.Items(), "&Menu Buttons");
  checked->Action()->trigger();
  unchecked->Action()->trigger();
  EXPECT_TRUE(checked->Checked());
  EXPECT_TRUE(checked->Action()->isChecked());
  EXPECT_FALSE(unchecked->Checked());
  EXPECT_FALSE(unchecked->Action()->isChecked());

  // The usual handler toggles its own item.
  checked->OnClick = [](TObject* sender) {
    auto* item = static_cast<TMenuItem*>(sender);
    item->SetChecked(!item->Checked());
  };
  checked->Action()->trigger();
  EXPECT_FALSE(checked->Checked());
  EXPECT_FALSE(checked->Action()->isChecked());
}

TEST(MenuItem, AnExceptionOutOfOnClickGoesToTheExceptionHandler) {
  std::string shown;
  auto previous = SetExceptionHandler([&](const Exception& e) { shown = e.Message(); });
  TPopupMenu menu(nullptr);
  TMenuItem* item = AddItem(menu.Items(), "&Delete");
  item->OnClick = [](TObject*) { throw Exception("Unable to Create Directory"); };
  item->Action()->trigger();
  EXPECT_EQ(shown, "Unable to Create Directory");
  SetExceptionHandler(previous);
}

TEST(MenuItem, HighlightedItemsHintGoesToTheHintLineAndClosingTheMenuEmptiesIt) {
  HintRecorder recorder;
  TPopupMenu menu(nullptr);
  TMenuItem* run = AddItem(menu.Items(), "&Open File", "Enter");
  run->SetHint("Opens the selected File's");
  TMenuItem* bare = AddItem(menu.Items(), "&About");
  menu.Popup(0, 0);
  run->Action()->hover();
  bare->Action()->hover();
  menu.CloseUp();
  EXPECT_EQ(recorder.hints, (std::vector<std::string>{"Opens the selected File's", "", ""}));
}

TEST(MenuItem, SubMenusKeepTheirItemsInOrderAndShowThem) {
  TMainMenu menu(nullptr);
  TMenuItem* file = AddItem(menu.Items(), "&File");
  TMenuItem* run = AddItem(file, "&Open File", "Enter");
  TMenuItem* exit = AddItem(file, "E&xit");
  auto* line = new TMenuItem(nullptr);
  line->SetCaption("-");
  file->Insert(1, line);
  TMenuItem* view = AddItem(run, "Text Viewer");

  EXPECT_EQ(menu.Items()->Count(), 1);
  EXPECT_EQ(file->Parent(), menu.Items());
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->Items(0), run);
  EXPECT_EQ(file->Items(1), line);
  EXPECT_EQ(file->Items(2), exit);
  EXPECT_EQ(view->Parent(), run);
  EXPECT_EQ(MenuTexts(file->SubMenu()), (std::vector<QString>{"&Open File\tEnter", "-", "E&xit"}));
  EXPECT_EQ(run->Action()->menu(), run->SubMenu());
  EXPECT_EQ(exit->Action()->menu(), nullptr);

  EXPECT_THROW(file->Add(view), Exception);
  EXPECT_THROW(view->Add(file), Exception);

  file->Delete(1);
  EXPECT_EQ(line->Parent(), nullptr);
  EXPECT_EQ(MenuTexts(file->SubMenu()), (std::vector<QString>{"&Open File\tEnter", "E&xit"}));
  delete line;
  EXPECT_THROW(file->Delete(5), Exception);
}

TEST(MenuItem, AnItemFreesTheItemsWithoutOwnerItHoldsAndReleasesTheOwnedOnes) {
  struct Logged : TMenuItem {
    Logged(TComponent* owner, std::vector<std::string>* log, std::string name) : TMenuItem(owner), log_(log) {
      Name = std::move(name);
    }
    ~Logged() override { log_->push_back(Name); }
    std::vector<std::string>* log_;
  };
  std::vector<std::string> log;
  TComponent form(nullptr);
  auto* parent = new Logged(nullptr, &log, "parent");
  parent->Add(new Logged(nullptr, &log, "loose"));
  auto* owned = new Logged(&form, &log, "owned");
  parent->Add(owned);
  delete parent;
  EXPECT_EQ(log, (std::vector<std::string>{"parent", "loose"}));
  EXPECT_EQ(owned->Parent(), nullptr);
  EXPECT_EQ(form.ComponentCount(), 1);

  // An item freed first leaves its parent.
  auto* again = new TMenuItem(nullptr);
  again->Add(owned);
  delete owned;
  EXPECT_EQ(again->Count(), 0);
  delete again;
}

TEST(PopupMenu, OnPopupRunsBeforeTheMenuOpensAndPopupDoesNotWait) {
  TPopupMenu menu(nullptr);
  TMenuItem* eject = AddItem(menu.Items(), "&Eject");
  bool openDuringOnPopup = true;
  TObject* sender = nullptr;
  menu.OnPopup = [&](TObject* s) {
    sender = s;
    openDuringOnPopup = menu.IsOpen();
    eject->SetVisible(false);
  };
  menu.Popup(20, 30);
  EXPECT_EQ(sender, &menu);
  EXPECT_FALSE(openDuringOnPopup);
  EXPECT_TRUE(menu.IsOpen());
  EXPECT_FALSE(eject->Action()->isVisible());
  menu.CloseUp();
}

TEST(PopupMenu, AContextMenuRequestOpensTheControlsPopupMenuUnlessAutoPopupIsOff) {
  TPopupMenu menu(nullptr);
  AddItem(menu.Items(), "&Properties");
  int popups = 0;
  menu.OnPopup = [&](TObject*) { ++popups; };
  PlainControl control;
  control.SetPopupMenu(&menu);
  for (bool autoPopup : {true, false}) {
    menu.AutoPopup = autoPopup;
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(3, 4));
    QApplication::sendEvent(control.Widget(), &request);
    EXPECT_EQ(menu.IsOpen(), autoPopup);
    menu.CloseUp();
  }
  EXPECT_EQ(popups, 1);
}

}  // namespace
