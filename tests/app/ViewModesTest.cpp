// The file list's five view modes and its thumbnails.

#include <QAbstractItemView>
#include <QBuffer>
#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MainForm.h"
#include "components/FileList.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/menus/MenuItem.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/JpegWriter.h"

namespace app_test {
namespace {

std::string ImageBytes(const char* format) {
  QImage image(24, 24, QImage::Format_ARGB32);
  image.fill(QColor(255, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

// C:\Pics holds a picture of each kind, all plain red, and files that are
// no pictures or damaged ones.
class ViewModesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    const fs::path pics = drive_ / "Pics";
    const std::string red = testing_support::JpegBytes(40, 30, [](int, int) {
      return testing_support::Rgb{255, 0, 0};
    });
    WriteFile(pics / "a.jpeg", red);
    WriteFile(pics / "b.JPG", red);
    WriteFile(pics / "c.Jpe", red);
    WriteFile(pics / "d.bmp", ImageBytes("BMP"));
    WriteFile(pics / "e.ico", ImageBytes("ICO"));
    WriteFile(pics / "f.gif", ImageBytes("GIF").empty() ? "GIF89a" : ImageBytes("GIF"));
    WriteFile(pics / "g.png", ImageBytes("PNG"));
    WriteFile(pics / "h.jpg", red.substr(0, 20));
    WriteFile(pics / "i.bmp", "not a bitmap");
    WriteFile(pics / "j.ico", "");
    WriteFile(pics / "jpg", red);
    OpenWindow("C:\\Pics");
    form_ = MainForm;
  }

  TListItem* Item(const std::string& name) {
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == name) return (*items)[i];
    return nullptr;
  }

  // Whether the handler leaves the item to the list.
  bool DrawnTheListsWay(const std::string& name, TCustomDrawState state = 0) {
    TListItem* item = Item(name);
    EXPECT_NE(item, nullptr) << name;
    bool defaultDraw = true;
    form_->FileListCustomDrawItem(form_->FileList, item, state, defaultDraw);
    return defaultDraw;
  }

  TMainForm* form_ = nullptr;
};

TEST_F(ViewModesTest, EachModeChecksItsItemAndSetsTheView) {
  EXPECT_TRUE(form_->VDetails_M->Checked());
  EXPECT_EQ(form_->FileList->ViewStyle(), vsReport);
  TMenuItem* TMainForm::*const items[] = {&TMainForm::VLarge_M, &TMainForm::VSmall_M, &TMainForm::VList_M,
                                          &TMainForm::VDetails_M, &TMainForm::VThumb_M};
  const struct {
    int mode;
    TViewStyle style;
    int tag;
  } cases[] = {{1, vsIcon, 0}, {2, vsSmallIcon, 0}, {3, vsList, 0}, {4, vsReport, 0}, {5, vsIcon, 1}, {1, vsIcon, 0}};
  for (const auto& c : cases) {
    form_->SetViewMode(c.mode);
    EXPECT_EQ(form_->FileList->ViewStyle(), c.style) << c.mode;
    EXPECT_EQ(form_->FileList->Tag, c.tag) << c.mode;
    for (int i = 0; i < 5; ++i) EXPECT_EQ((form_->*items[i])->Checked(), i + 1 == c.mode) << c.mode << " " << i;
  }
  // Another number only clears the thumbnail switch.
  form_->SetViewMode(5);
  form_->SetViewMode(9);
  EXPECT_EQ(form_->FileList->ViewStyle(), vsIcon);
  EXPECT_EQ(form_->FileList->Tag, 0);
  EXPECT_TRUE(form_->VThumb_M->Checked());
}

TEST_F(ViewModesTest, OnlyUnselectedPicturesInTheThumbnailModeAreDrawnAsPictures) {
  form_->SetViewMode(5);
  for (const char* picture : {"a.jpeg", "b.JPG", "c.Jpe", "d.bmp", "e.ico"}) {
    EXPECT_FALSE(DrawnTheListsWay(picture)) << picture;
    EXPECT_TRUE(DrawnTheListsWay(picture, cdsSelected)) << picture;
  }
  // Other types, and pictures that cannot be read, every time they are drawn.
  for (const char* other : {"f.gif", "g.png", "h.jpg", "i.bmp", "j.ico", "jpg"}) {
    EXPECT_TRUE(DrawnTheListsWay(other)) << other;
    EXPECT_TRUE(DrawnTheListsWay(other)) << other;
  }
  Item("a.jpeg")->SetSelected(true);
  EXPECT_TRUE(DrawnTheListsWay("a.jpeg"));
  Item("a.jpeg")->SetSelected(false);
  // A picture removed since the folder was read.
  fs::remove(drive_ / "Pics" / "b.JPG");
  EXPECT_TRUE(DrawnTheListsWay("b.JPG"));
  for (int mode : {1, 2, 3, 4}) {
    form_->SetViewMode(mode);
    EXPECT_TRUE(DrawnTheListsWay("a.jpeg")) << mode;
  }
}

TEST_F(ViewModesTest, AThumbnailShowsThePictureInTheIconsPlace) {
  form_->Show();
  form_->SetViewMode(5);
  auto* view = static_cast<QAbstractItemView*>(form_->FileList->ActiveView());
  QImage shot(view->viewport()->size(), QImage::Format_ARGB32);
  view->viewport()->render(&shot);
  const auto redAt = [&](const std::string& name) {
    const TRect icon = Item(name)->DisplayRect(drIcon);
    const QColor color = shot.pixelColor(icon.Left + icon.Width() / 2, icon.Top + icon.Height() / 2);
    return color.red() > 200 && color.green() < 60 && color.blue() < 60;
  };
  for (const char* picture : {"a.jpeg", "d.bmp", "e.ico"}) EXPECT_TRUE(redAt(picture)) << picture;
  for (const char* other : {"g.png", "h.jpg"}) EXPECT_FALSE(redAt(other)) << other;
}

}  // namespace
}  // namespace app_test
