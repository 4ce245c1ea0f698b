#include <gtest/gtest.h>

#include <QTabBar>
#include <QTabWidget>

#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/forms/Form.h"

namespace {

struct Pages {
  TForm form{nullptr};
  TPageControl* control = new TPageControl(&form);
  TTabSheet* sheets[3];

  Pages() {
    control->SetParent(&form);
    const char* captions[] = {"General", "Drive Info", "Tools"};
    for (int i = 0; i < 3; ++i) {
      sheets[i] = new TTabSheet(&form);
      sheets[i]->SetPageControl(control);
      sheets[i]->SetCaption(captions[i]);
    }
  }

  QStringList Tabs() const {
    auto* tabs = static_cast<QTabWidget*>(control->Widget());
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    return texts;
  }
};

TEST(PageControl, ShowsTheVisibleTabsInPageOrder) {
  Pages p;
  EXPECT_EQ(p.control->PageCount(), 3);
  EXPECT_EQ(p.sheets[2]->PageIndex(), 2);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[0]);

  for (TTabSheet* sheet : p.sheets) sheet->SetTabVisible(false);
  EXPECT_TRUE(p.Tabs().isEmpty());
  EXPECT_EQ(p.control->ActivePage(), nullptr);
  p.control->SetActivePage(p.sheets[1]);  // its tab is hidden
  EXPECT_EQ(p.control->ActivePage(), nullptr);

  p.sheets[2]->SetTabVisible(true);
  p.sheets[1]->SetTabVisible(true);
  EXPECT_EQ(p.Tabs(), (QStringList{"Drive Info", "Tools"}));
  p.control->SetActivePage(p.sheets[2]);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[2]);
  // Showing another tab keeps the active page.
  p.sheets[0]->SetTabVisible(true);
  EXPECT_EQ(p.Tabs(), (QStringList{"General", "Drive Info", "Tools"}));
  EXPECT_EQ(p.control->ActivePage(), p.sheets[2]);
}

TEST(PageControl, TellsOfTheUsersChoiceOnly) {
  Pages p;
  int changes = 0;
  p.control->OnChange = [&](TObject*) { ++changes; };
  p.control->SetActivePage(p.sheets[1]);
  p.sheets[0]->SetTabVisible(false);
  EXPECT_EQ(changes, 0);
  static_cast<QTabWidget*>(p.control->Widget())->tabBar()->setCurrentIndex(1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[2]);
}

}  // namespace
