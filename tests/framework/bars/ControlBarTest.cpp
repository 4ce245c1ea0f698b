#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "framework/bars/ControlBar.h"
#include "framework/bars/ToolBar.h"
#include "framework/bars/ToolButton.h"

namespace {

struct Host : TWinControl {
  Host() : TWinControl(nullptr) {
    SetWidget(new QWidget());
    Widget()->resize(800, 200);
  }
};

// A bar of a fixed size, as a panel would be.
struct Bar : TWinControl {
  Bar(TWinControl* parent, int left, int top, int width, int height) : TWinControl(nullptr) {
    SetWidget(new QWidget());
    SetBounds(left, top, width, height);
    SetParent(parent);
  }
};

// The main window's bar container: rows of 27, height following the rows,
// bars keeping their offsets in their rows, with the menu bar and the
// standard bar in the first row and the location bar in the second.
struct MainBars : ::testing::Test {
  MainBars() : container(nullptr) {
    container.SetParent(&host);
    container.SetRowSize(27);
    container.SetRowSnap(false);
    container.SetAutoSize(true);
    container.SetBounds(0, 0, 793, 55);
    container.OnResize = [this](TObject* sender) {
      EXPECT_EQ(sender, &container);
      resizes.push_back(container.Height());
    };
    menuBar = new Bar(&container, 11, 2, 310, 24);
    stdBar = new Bar(&container, 334, 2, 197, 23);
    locationBar = new Bar(&container, 11, 30, 454, 23);
  }
  ~MainBars() override {
    container.OnResize = nullptr;
    for (TControl* bar : {menuBar, stdBar, locationBar}) delete bar;
  }

  Host host;
  TControlBar container;
  TControl* menuBar;
  TControl* stdBar;
  TControl* locationBar;
  std::vector<int> resizes;
};

TEST_F(MainBars, BarsStandInTheRowsTheirTopsNameAndKeepTheirPlaces) {
  EXPECT_EQ(container.RowCount(), 2);
  EXPECT_EQ(container.Height(), 55);
  const int expected[][2] = {{11, 2}, {334, 2}, {11, 30}};
  int i = 0;
  for (TControl* bar : {menuBar, stdBar, locationBar}) {
    EXPECT_EQ(bar->Left(), expected[i][0]);
    EXPECT_EQ(bar->Top(), expected[i][1]);
    ++i;
  }
}

TEST_F(MainBars, OneRowMakesTheContainer28High) {
  locationBar->SetTop(1);
  EXPECT_EQ(container.RowCount(), 1);
  EXPECT_EQ(container.Height(), 28);
  // Bars of one row go by their Left (ties in the order they were put in):
  // each that would cover the one before it is pushed right.
  EXPECT_EQ(locationBar->Left(), 11 + 310 + TControlBar::HandleWidth);
  EXPECT_EQ(locationBar->Top(), 1);
  EXPECT_EQ(stdBar->Left(), locationBar->Left() + 454 + TControlBar::HandleWidth);
  EXPECT_EQ(stdBar->Top(), 2);
}

TEST_F(MainBars, LeftAndTopSetByCodeReadBackAsSet) {
  const int places[][2] = {{40, 30}, {600, 3}, {20, 29}, {11, 30}};
  for (const auto& place : places) {
    locationBar->SetLeft(place[0]);
    locationBar->SetTop(place[1]);
    EXPECT_EQ(locationBar->Left(), place[0]);
    EXPECT_EQ(locationBar->Top(), place[1]);
  }
}

TEST_F(MainBars, ASavedLayoutRestoredBarByBarComesBackThoughBarsOverlapOnTheWay) {
  // The location bar first lands on the menu bar, which is only moved after it.
  const int saved[][2] = {{11, 2}, {50, 29}, {480, 1}};
  TControl* bars[] = {locationBar, menuBar, stdBar};
  for (int i = 0; i < 3; ++i) {
    bars[i]->SetLeft(saved[i][0]);
    bars[i]->SetTop(saved[i][1]);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bars[i]->Left(), saved[i][0]) << i;
    EXPECT_EQ(bars[i]->Top(), saved[i][1]) << i;
  }
  EXPECT_EQ(container.Height(), 55);
}

TEST_F(MainBars, ABarKeepsClearOfTheHandleAndOfTheBarBeforeIt) {
  stdBar->SetLeft(100);
  EXPECT_EQ(stdBar->Left(), 11 + 310 + TControlBar::HandleWidth);
  locationBar->SetLeft(0);
  EXPECT_EQ(locationBar->Left(), TControlBar::HandleWidth);
  // The place asked for is kept: with the menu bar gone the bar moves back to it.
  menuBar->Hide();
  EXPECT_EQ(stdBar->Left(), 100);
}

TEST_F(MainBars, HidingAndShowingBarsResizesTheContainerAndRunsItsOnResize) {
  for (bool onScreen : {false, true}) {
    SCOPED_TRACE(onScreen);
    host.Widget()->setVisible(onScreen);
    resizes.clear();
    locationBar->Hide();
    EXPECT_EQ(container.Height(), 28);
    menuBar->Hide();
    EXPECT_EQ(container.Height(), 28);
    stdBar->Hide();
    EXPECT_EQ(container.Height(), 0);
    // The first row is empty: the location bar moves up, keeping its offset.
    locationBar->Show();
    EXPECT_EQ(container.Height(), 28);
    EXPECT_EQ(locationBar->Top(), 3);
    // With the first row filled again it goes back to the second.
    menuBar->Show();
    stdBar->Show();
    EXPECT_EQ(container.Height(), 55);
    EXPECT_EQ(locationBar->Top(), 30);
    EXPECT_EQ(resizes, (std::vector<int>{28, 0, 28, 55}));
  }
}

TEST_F(MainBars, BarsMovedByCodeWhileHiddenTakeTheirPlaceWhenShown) {
  locationBar->Hide();
  locationBar->SetBounds(200, 57, 454, 23);
  EXPECT_EQ(container.Height(), 28);
  locationBar->Show();
  EXPECT_EQ(container.RowCount(), 2);
  EXPECT_EQ(locationBar->Left(), 200);
  EXPECT_EQ(locationBar->Top(), 30);
}

TEST_F(MainBars, DraggingABarByItsHandleMovesItToAnotherRowOrANewOne) {
  host.Widget()->show();
  QWidget* surface = container.Widget();
  // The location bar up into the first row, behind the standard bar.
  QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(5, 40));
  QTest::mouseMove(surface, QPoint(560, 10));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(560, 10));
  EXPECT_EQ(container.RowCount(), 1);
  EXPECT_EQ(container.Height(), 28);
  EXPECT_EQ(locationBar->Top(), 3);
  EXPECT_EQ(locationBar->Left(), 566);

  // The standard bar down into a new row.
  QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(330, 10));
  QTest::mouseMove(surface, QPoint(30, 35));
  QTest::mouseMove(surface, QPoint(30, 36));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(30, 36));
  EXPECT_EQ(container.RowCount(), 2);
  EXPECT_EQ(container.Height(), 55);
  EXPECT_EQ(stdBar->Top(), 27 + 2);
  EXPECT_EQ(stdBar->Left(), 34);

  // A press away from every handle moves nothing.
  QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(700, 10));
  QTest::mouseMove(surface, QPoint(100, 40));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(100, 40));
  EXPECT_EQ(locationBar->Left(), 566);
  EXPECT_EQ(stdBar->Left(), 34);
}

TEST_F(MainBars, AToolBarThatGrowsPushesTheBarAfterIt) {
  delete menuBar;
  auto* tools = new TToolBar(nullptr);
  tools->SetBounds(11, 2, 100, 24);
  tools->SetEdgeBorders(0);
  tools->SetWrapable(false);
  tools->SetButtonWidth(62);
  tools->SetButtonHeight(24);
  tools->SetAutoSize(true);
  tools->SetParent(&container);
  menuBar = tools;
  for (int i = 0; i < 5; ++i) (new TToolButton(tools))->SetParent(tools);
  EXPECT_EQ(tools->Width(), 310);
  EXPECT_EQ(stdBar->Left(), 334);
  (new TToolButton(tools))->SetParent(tools);
  EXPECT_EQ(stdBar->Left(), 11 + 372 + TControlBar::HandleWidth);
}

TEST(ControlBar, RowSnapCentresBarsInTheirRows) {
  Host host;
  TControlBar container(nullptr);
  container.SetParent(&host);
  container.SetAutoSize(true);
  Bar bar(&container, 11, 30, 100, 22);
  EXPECT_EQ(container.RowSize(), 26);
  EXPECT_EQ(bar.Top(), 2);
  EXPECT_EQ(container.Height(), 27);
}

}  // namespace
