#include <gtest/gtest.h>

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <filesystem>
#include <fstream>

#include "framework/core/Exception.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/IconImage.h"
#include "framework/graphics/ImageList.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/TempDrive.h"

namespace {

std::string PngBytes(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

HICON IconOf(std::string bytes) {
  auto icon = std::make_shared<IconResource>();
  icon->imageBytes = std::move(bytes);
  return icon;
}

TEST(ImageList, ImagesOfAnySizeAreScaledToTheListsSize) {
  TImageList list(nullptr, 16, 16);
  TBitmap big;
  big.SetSize(40, 24);
  TIcon icon;
  icon.SetHandle(IconOf(PngBytes(48, 48, Qt::red)));
  EXPECT_EQ(list.Add(&big), 0);
  EXPECT_EQ(list.AddIcon(&icon), 1);
  EXPECT_EQ(list.Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(list.Pixmap(i).size(), QSize(16, 16));
  EXPECT_TRUE(list.Pixmap(2).isNull());
  EXPECT_TRUE(list.Pixmap(-1).isNull());
}

TEST(ImageList, EmptyOrUnreadableImagesAddNothing) {
  TImageList list(nullptr, 32, 32);
  TBitmap empty;
  TIcon none;
  TIcon garbage;
  garbage.SetHandle(IconOf("not a picture"));
  EXPECT_EQ(list.Add(&empty), -1);
  EXPECT_EQ(list.Add(nullptr), -1);
  EXPECT_EQ(list.AddIcon(&none), -1);
  EXPECT_EQ(list.AddIcon(&garbage), -1);
  EXPECT_EQ(list.AddIcon(nullptr), -1);
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, UnmaskedListsDrawOnTheirBackgroundMaskedOnesKeepTransparency) {
  TIcon clear;
  clear.SetHandle(IconOf(PngBytes(16, 16, Qt::transparent)));
  TImageList masked(nullptr);
  TImageList unmasked(nullptr);
  unmasked.Masked = false;
  unmasked.BkColor = clBlue;
  masked.AddIcon(&clear);
  unmasked.AddIcon(&clear);
  EXPECT_EQ(qAlpha(masked.Pixmap(0).toImage().pixel(4, 4)), 0);
  EXPECT_EQ(unmasked.Pixmap(0).toImage().pixel(4, 4), qRgb(0, 0, 255));
}

TEST(ImageList, AMasksWhitePixelsBecomeTransparent) {
  TBitmap picture;
  picture.SetSize(16, 16);
  picture.Canvas()->Brush()->Color = clRed;
  picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
  TBitmap mask;
  mask.SetSize(16, 16);  // white
  mask.Canvas()->Brush()->Color = clBlack;
  mask.Canvas()->FillRect(Rect(0, 0, 8, 16));
  TImageList list(nullptr);
  list.Add(&picture, &mask);
  const QImage image = list.Pixmap(0).toImage();
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(image.pixel(12, 2)), 0);
}

TEST(Icon, PicksTheBestSizeAnIconFileHolds) {
  TIcon icon;
  icon.SetHandle(IconOf(PngBytes(24, 24, Qt::green)));
  EXPECT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 24);
  EXPECT_EQ(icon.ImageForSize(16, 16).width(), 24);
  icon.SetHandle(nullptr);
  EXPECT_TRUE(icon.Empty());
}

TEST(Bitmap, ALibraryWithoutTheBitmapRaisesResourceNotFound) {
  TBitmap bitmap;
  try {
    bitmap.LoadFromResourceName(nullptr, "SM_FOLDER1");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Resource SM_FOLDER1 not found");
  }
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, DecodedPixelsGoInRowByRowAndAssignCopies) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  unsigned char* row = bitmap.ScanLine(1);
  ASSERT_NE(row, nullptr);
  row[3] = 10, row[4] = 20, row[5] = 30;  // pixel (1, 1)
  EXPECT_EQ(bitmap.ScanLine(2), nullptr);
  TBitmap copy;
  copy.Assign(&bitmap);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.Image().pixel(1, 1), qRgb(10, 20, 30));
  EXPECT_EQ(copy.Image().pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Bitmap, LoadsAPictureFileByItsDrivePath) {
  const std::filesystem::path root = testing_support::FreshFolder("bitmap-drive");
  std::ofstream(root / "pic.png", std::ios::binary) << PngBytes(5, 7, Qt::blue);
  std::ofstream(root / "bad.png", std::ios::binary) << "junk";
  platform::SetDriveMap({{'C', root.string(), 3}});
  TBitmap bitmap;
  bitmap.LoadFromFile("C:\\pic.png");
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 7);
  EXPECT_THROW(bitmap.LoadFromFile("C:\\bad.png"), Exception);
  EXPECT_THROW(bitmap.LoadFromFile("C:\\missing.png"), Exception);
  EXPECT_EQ(bitmap.Width(), 5) << "a failed load keeps the picture";
  platform::UseDefaultDriveMap();
}

TEST(Screen, CursorIsTheApplicationsPointer) {
  EXPECT_EQ(Screen->Cursor(), crDefault);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen->SetCursor(crHandPoint);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
