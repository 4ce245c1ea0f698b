#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTreeView>

#include "framework/core/Exception.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"

namespace {

// A shown list of named items in the details view, with an image list and
// Qt's model checker watching every change.
class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(500, 400);
    list_ = std::make_unique<TListView>(nullptr);
    list_->Widget()->setParent(window_.get());
    list_->SetBounds(0, 0, 480, 380);
    list_->SetMultiSelect(true);
    list_->SetRowSelect(true);
    for (const char* caption : {"Name", "Size"}) list_->Columns()->Add()->SetCaption(caption);
    list_->SetViewStyle(vsReport);
    tester_ = std::make_unique<QAbstractItemModelTester>(View()->model(),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    window_->show();
  }

  void AddItems(std::initializer_list<const char*> captions) {
    for (const char* caption : captions) {
      TListItem* item = list_->Items()->Add();
      item->SetCaption(caption);
      item->SubItems()->Add(std::string(caption) + " size");
    }
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < list_->Items()->Count(); ++i) out.push_back(list_->Items()->Item(i)->Caption());
    return out;
  }

  QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(list_->ActiveView()); }

  // The rows Qt's selection holds.
  std::vector<int> QtSelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : View()->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  QPoint CenterOf(int row) const { return View()->visualRect(View()->model()->index(row, 0)).center(); }

  std::unique_ptr<QWidget> window_;
  std::unique_ptr<TListView> list_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(ListViewTest, ModelStaysConsistentThroughAddSortDeleteAndClear) {
  AddItems({"c", "a", "b"});
  list_->Items()->BeginUpdate();
  AddItems({"e", "d"});
  EXPECT_EQ(View()->model()->rowCount(), 3) << "inside an update the view sees nothing new";
  list_->Items()->EndUpdate();
  EXPECT_EQ(View()->model()->rowCount(), 5);
  list_->AlphaSort();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(View()->model()->index(1, 1).data().toString(), "b size");
  list_->Items()->Delete(1);
  list_->Items()->Item(0)->Delete();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"c", "d", "e"}));
  EXPECT_EQ(list_->Items()->Item(2)->Index(), 2);
  list_->Items()->Clear();
  EXPECT_EQ(View()->model()->rowCount(), 0);
}

// Items added after a Clear, inside an update and outside one, start empty
// however the items before them were set, and the view shows only them.
TEST_F(ListViewTest, ItemsAddedAfterAClearStartEmpty) {
  for (const bool inUpdate : {true, false}) {
    AddItems({"a", "b", "c"});
    for (int n = 0; n < 3; ++n) {
      TListItem* item = list_->Items()->Item(n);
      item->SetImageIndex(1);
      item->SetSelected(true);
      item->SetCut(true);
      item->Data = item;
    }
    list_->Items()->Clear();
    if (inUpdate) list_->Items()->BeginUpdate();
    TListItem* fresh = list_->Items()->Add();
    EXPECT_EQ(fresh->Caption(), "");
    EXPECT_EQ(fresh->SubItems()->Count(), 0);
    EXPECT_EQ(fresh->ImageIndex(), -1);
    EXPECT_FALSE(fresh->Selected());
    EXPECT_FALSE(fresh->Cut());
    EXPECT_EQ(fresh->Data, nullptr);
    EXPECT_EQ(fresh->Index(), 0);
    fresh->SetCaption("new");
    if (inUpdate) list_->Items()->EndUpdate();
    EXPECT_EQ(list_->SelCount(), 0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"new"}));
    EXPECT_EQ(View()->model()->rowCount(), 1);
    list_->Items()->Clear();
  }
}

TEST_F(ListViewTest, SelectionInTheItemsShowsInQtAndBack) {
  AddItems({"a", "b", "c", "d"});
  list_->Items()->Item(1)->SetSelected(true);
  list_->Items()->Item(3)->SetSelected(true);
  EXPECT_EQ(QtSelectedRows(), (std::vector<int>{1, 3}));
  EXPECT_EQ(list_->SelCount(), 2);
  EXPECT_EQ(list_->Selected(), list_->Items()->Item(1));

  // A user's click selects only the clicked item.
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, CenterOf(2));
  EXPECT_EQ(list_->SelCount(), 1);
  EXPECT_EQ(list_->Selected(), list_->Items()->Item(2));
  EXPECT_EQ(list_->ItemFocused(), list_->Items()->Item(2));
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, CenterOf(0));
  EXPECT_EQ(list_->SelCount(), 2);
  EXPECT_TRUE(list_->Items()->Item(0)->Selected());

  // Selection set inside an update reaches Qt at its end, after a sort too.
  list_->Items()->BeginUpdate();
  list_->Items()->Item(0)->SetSelected(false);
  list_->Items()->Item(3)->SetSelected(true);
  list_->Items()->EndUpdate();
  EXPECT_EQ(QtSelectedRows(), (std::vector<int>{2, 3}));
  list_->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& c) { c = -a->Caption().compare(b->Caption()); };
  list_->AlphaSort();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"d", "c", "b", "a"}));
  EXPECT_EQ(QtSelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(list_->Selected()->Caption(), "d");
}

TEST_F(ListViewTest, SingleSelectionKeepsOneItem) {
  list_->SetMultiSelect(false);
  AddItems({"a", "b"});
  list_->Items()->Item(0)->SetSelected(true);
  list_->Items()->Item(1)->SetSelected(true);
  EXPECT_EQ(list_->SelCount(), 1);
  EXPECT_EQ(QtSelectedRows(), (std::vector<int>{1}));
}

TEST_F(ListViewTest, SortThroughOnCompareBothWaysAndStable) {
  AddItems({"b2", "a1", "b1", "a2"});
  bool up = true;
  // Sorted by the first letter only: items with the same letter keep their order.
  list_->OnCompare = [&](TObject* sender, TListItem* a, TListItem* b, int, int& c) {
    EXPECT_EQ(sender, list_.get());
    c = a->Caption()[0] - b->Caption()[0];
    if (!up) c = -c;
  };
  list_->AlphaSort();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a1", "a2", "b2", "b1"}));
  up = false;
  list_->AlphaSort();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b2", "b1", "a1", "a2"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list_->Items()->Item(i)->Index(), i);
}

TEST_F(ListViewTest, ArrangeItemsTakesAnOrderOfPlacesAndTheRevisionCountsTextChanges) {
  AddItems({"c", "a", "b"});
  list_->Items()->Item(2)->SetSelected(true);
  std::uint64_t revision = list_->Items()->Revision();
  list_->ArrangeItems({1, 2, 0});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list_->Items()->Item(i)->Index(), i);
  EXPECT_EQ(QtSelectedRows(), std::vector<int>{1});
  EXPECT_GT(list_->Items()->Revision(), revision);
  for (const std::vector<int>& wrong : {std::vector<int>{0, 1}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}})
    EXPECT_THROW(list_->ArrangeItems(wrong), Exception);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));

  // Texts count, the look does not.
  revision = list_->Items()->Revision();
  list_->Items()->Item(0)->SetImageIndex(1);
  list_->Items()->Item(0)->SetCut(true);
  list_->Items()->Item(0)->SetSelected(true);
  EXPECT_EQ(list_->Items()->Revision(), revision);
  list_->Items()->Item(0)->SubItems()->SetStrings(0, "x");
  EXPECT_GT(list_->Items()->Revision(), revision);
  revision = list_->Items()->Revision();
  list_->Items()->Item(1)->SetCaption("d");
  EXPECT_GT(list_->Items()->Revision(), revision);
  revision = list_->Items()->Revision();
  list_->Items()->Delete(0);
  EXPECT_GT(list_->Items()->Revision(), revision);
}

TEST_F(ListViewTest, HeaderClickRunsOnColumnClickWithTheColumn) {
  TListColumn* clicked = nullptr;
  list_->OnColumnClick = [&](TObject*, TListColumn* column) { clicked = column; };
  list_->Columns()->Item(0)->SetWidth(120);
  auto* header = static_cast<QTreeView*>(View())->header();
  EXPECT_EQ(header->sectionSize(0), 120);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionPosition(1) + 5, header->height() / 2));
  ASSERT_NE(clicked, nullptr);
  EXPECT_EQ(clicked->Index(), 1);
  EXPECT_EQ(View()->model()->headerData(1, Qt::Horizontal).toString(), "Size");
}

TEST_F(ListViewTest, DraggedHeaderWidthIsTheColumnsWidth) {
  auto* header = static_cast<QTreeView*>(View())->header();
  header->resizeSection(1, 77);
  EXPECT_EQ(list_->Columns()->Item(1)->Width(), 77);
}

TEST_F(ListViewTest, HeaderImageComesFromSmallImages) {
  TImageList images(nullptr, 16, 16);
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  images.Add(&bitmap);
  list_->SetSmallImages(&images);
  list_->Columns()->Item(0)->SetImageIndex(0);
  EXPECT_FALSE(View()->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
  list_->Columns()->Item(0)->SetImageIndex(-1);
  EXPECT_TRUE(View()->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
}

TEST_F(ListViewTest, LabelEditCommitRunsOnEditedAndTakesItsText) {
  AddItems({"old.txt"});
  std::string seen;
  list_->OnEdited = [&](TObject*, TListItem* item, std::string& s) {
    seen = s;
    EXPECT_EQ(item->Caption(), "old.txt") << "the caption changes after the handler";
    s = "kept.txt";
  };
  ASSERT_TRUE(list_->Items()->Item(0)->EditCaption());
  EXPECT_TRUE(list_->IsEditing());
  auto* editor = View()->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("typed.txt");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the editor commits through a queued call
  EXPECT_EQ(seen, "typed.txt");
  EXPECT_EQ(list_->Items()->Item(0)->Caption(), "kept.txt");
  EXPECT_FALSE(list_->IsEditing());
}

TEST_F(ListViewTest, ReadOnlyListEditsNothing) {
  AddItems({"a"});
  list_->SetReadOnly(true);
  EXPECT_FALSE(list_->Items()->Item(0)->EditCaption());
}

TEST_F(ListViewTest, ViewStylesSwitchWithoutLosingItemsOrSelection) {
  AddItems({"a", "b", "c"});
  list_->Items()->Item(2)->SetSelected(true);
  list_->SetItemFocused(list_->Items()->Item(2));
  for (TViewStyle style : {vsIcon, vsSmallIcon, vsList, vsReport, vsIcon}) {
    list_->SetViewStyle(style);
    EXPECT_EQ(View()->model()->rowCount(), 3);
    EXPECT_EQ(QtSelectedRows(), (std::vector<int>{2})) << style;
    EXPECT_EQ(list_->ItemFocused(), list_->Items()->Item(2));
    EXPECT_FALSE(list_->Items()->Item(0)->DisplayRect(drBounds) == TRect{}) << style;
  }
  EXPECT_NE(dynamic_cast<QListView*>(View()), nullptr);
  // A click in the icon view reaches the items.
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, CenterOf(0));
  EXPECT_EQ(list_->Selected(), list_->Items()->Item(0));
  EXPECT_EQ(list_->SelCount(), 1);
}

TEST_F(ListViewTest, MouseAndKeysReachTheControlsEventsOnce) {
  AddItems({"a", "b"});
  int downs = 0, doubles = 0, keys = 0;
  QPoint at;
  list_->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
    ++downs;
    EXPECT_EQ(button, mbLeft);
    at = QPoint(x, y);
  };
  list_->OnDblClick = [&](TObject*) { ++doubles; };
  list_->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
    ++keys;
    if (key == 'X') key = 0;
  };
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, CenterOf(1));
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(at, CenterOf(1));
  QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, CenterOf(1));
  EXPECT_EQ(doubles, 1);
  QTest::keyClick(View(), Qt::Key_F5);
  QTest::keyClick(View(), Qt::Key_X);
  EXPECT_EQ(keys, 2);
}

TEST_F(ListViewTest, CustomDrawGetsTheCanvasAndMayDrawTheItemItself) {
  AddItems({"a.jpg", "b.txt"});
  list_->SetViewStyle(vsIcon);
  std::vector<std::string> drawn;
  TRect icon;
  list_->OnCustomDrawItem = [&](TObject*, TListItem* item, TCustomDrawState, bool& defaultDraw) {
    drawn.push_back(item->Caption());
    if (item->Caption() != "a.jpg") return;
    icon = item->DisplayRect(drIcon);
    TBitmap picture;
    picture.SetSize(4, 4);
    list_->Canvas()->StretchDraw(icon, &picture);
    const TRect label = item->DisplayRect(drLabel);
    list_->Canvas()->TextRect(label, label.Left, label.Top, item->Caption());
    defaultDraw = false;
  };
  QImage shot(View()->viewport()->size(), QImage::Format_ARGB32);
  View()->viewport()->render(&shot);
  EXPECT_EQ(drawn, (std::vector<std::string>{"a.jpg", "b.txt"}));
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
}

TEST_F(ListViewTest, CutItemsAreDrawnDimmed) {
  TImageList images(nullptr, 16, 16);
  TBitmap bitmap;
  bitmap.SetSize(16, 16);
  bitmap.Canvas()->Brush()->Color = clRed;
  bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
  images.Add(&bitmap);
  list_->SetSmallImages(&images);
  AddItems({"a"});
  list_->Items()->Item(0)->SetImageIndex(0);
  auto alpha = [&] {
    const auto pixmap = View()->model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
    return qAlpha(pixmap.toImage().pixel(8, 8));
  };
  EXPECT_EQ(alpha(), 255);
  list_->Items()->Item(0)->SetCut(true);
  EXPECT_LT(alpha(), 200);
}

}  // namespace

namespace {

// After a read (the items built anew) no item is current: the first key
// that moves selects as in any list view.
class ListViewKeysAfterARead : public ListViewTest {
 protected:
  void Read() {
    list_->Items()->BeginUpdate();
    list_->Items()->Clear();
    AddItems({"a", "b", "c", "d"});
    list_->Items()->EndUpdate();
  }
  std::vector<int> Selected() const {
    std::vector<int> rows;
    for (int i = 0; i < list_->Items()->Count(); ++i)
      if (list_->Items()->Item(i)->Selected()) rows.push_back(i);
    return rows;
  }
};

TEST_F(ListViewKeysAfterARead, HomeEndAndDownSelect) {
  const struct {
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    std::vector<int> selected;
  } cases[] = {
      {{{Qt::Key_Home, Qt::NoModifier}}, {0}},
      {{{Qt::Key_End, Qt::NoModifier}}, {3}},
      {{{Qt::Key_Down, Qt::NoModifier}}, {0}},
      {{{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier}}, {1}},
      {{{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_Down, Qt::ShiftModifier}}, {0, 1}},
      {{{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_End, Qt::ShiftModifier}}, {0, 1, 2, 3}},
      {{{Qt::Key_End, Qt::NoModifier}, {Qt::Key_Space, Qt::ControlModifier}}, {}},
  };
  for (bool focusFirst : {true, false}) {
    for (const auto& c : cases) {
      if (focusFirst) {
        // Focus comes to the list before the read, as at F5.
        View()->setFocus();
        Read();
      } else {
        // The read comes first, as at start, then the list gets the focus.
        View()->clearFocus();
        Read();
        View()->setFocus();
      }
      QApplication::processEvents();
      EXPECT_EQ(list_->ItemFocused(), nullptr);
      EXPECT_TRUE(Selected().empty());
      for (const auto& [key, modifiers] : c.keys) QTest::keyClick(View(), key, modifiers);
      EXPECT_EQ(Selected(), c.selected) << c.keys.size() << " keys, focus first " << focusFirst;
    }
  }
}

}  // namespace
