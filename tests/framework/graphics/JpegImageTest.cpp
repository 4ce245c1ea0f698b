#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/core/Exception.h"
#include "framework/graphics/JpegImage.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/JpegWriter.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::JpegBytes;
using testing_support::Rgb;
using testing_support::WriteFile;

// Left half red, right half blue.
Rgb Halves(int x, int, int width) { return x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; }

bool Near(QColor color, int r, int g, int b) {
  return std::abs(color.red() - r) < 40 && std::abs(color.green() - g) < 40 && std::abs(color.blue() - b) < 40;
}

// The byte offset of the first marker FF `code`, or npos.
std::size_t Marker(const std::string& bytes, unsigned char code) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) == 0xFF && static_cast<unsigned char>(bytes[i + 1]) == code) return i;
  return std::string::npos;
}

class JpegImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("jpeg");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }

  std::string Put(const std::string& name, const std::string& bytes) {
    WriteFile(root_ / name, bytes);
    return "C:\\" + name;
  }

  fs::path root_;
};

TEST_F(JpegImageTest, DecodesTheWholePicture) {
  TJPEGImage jpeg;
  EXPECT_TRUE(jpeg.Empty());
  jpeg.LoadFromFile(Put("a.jpg", JpegBytes(64, 32, [](int x, int y) { return Halves(x, y, 64); })));
  EXPECT_FALSE(jpeg.Empty());
  EXPECT_EQ(jpeg.Width(), 64);
  EXPECT_EQ(jpeg.Height(), 32);
  const QImage image = jpeg.Image();
  ASSERT_EQ(image.size(), QSize(64, 32));
  EXPECT_TRUE(Near(image.pixelColor(8, 16), 255, 0, 0));
  EXPECT_TRUE(Near(image.pixelColor(56, 16), 0, 0, 255));
}

TEST_F(JpegImageTest, GrayPicturesComeOutGray) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(Put("g.jpg", JpegBytes(
                                     16, 16,
                                     [](int, int) {
                                       return Rgb{0, 128, 0};
                                     },
                                     true)));
  EXPECT_TRUE(Near(jpeg.Image().pixelColor(4, 4), 128, 128, 128));
}

// The smallest of full size, 1/2, 1/4 and 1/8 whose picture still covers
// the rectangle; the decoded picture has that size.
TEST_F(JpegImageTest, TheScaleToCoverARectangleIsTheSmallestThatCoversIt) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(Put("s.jpg", JpegBytes(100, 60, [](int x, int y) { return Halves(x, y, 100); })));
  const struct {
    int width, height;
    TJPEGScale scale;
    int decodedWidth, decodedHeight;
  } cases[] = {
      {100, 60, jsFullSize, 100, 60}, {101, 10, jsFullSize, 100, 60}, {50, 30, jsHalf, 50, 30},
      {32, 30, jsHalf, 50, 30},       {25, 15, jsQuarter, 25, 15},    {13, 8, jsEighth, 13, 8},
      {1, 1, jsEighth, 13, 8},        {14, 1, jsQuarter, 25, 15},
  };
  for (const auto& c : cases) {
    jpeg.SetScaleToCover(c.width, c.height);
    EXPECT_EQ(jpeg.Scale(), c.scale) << c.width << "x" << c.height;
    EXPECT_EQ(jpeg.Width(), c.decodedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(jpeg.Height(), c.decodedHeight) << c.width << "x" << c.height;
    const QImage image = jpeg.Image();
    EXPECT_EQ(image.size(), QSize(c.decodedWidth, c.decodedHeight)) << c.width << "x" << c.height;
    EXPECT_TRUE(Near(image.pixelColor(1, image.height() / 2), 255, 0, 0)) << c.width << "x" << c.height;
  }
}

TEST_F(JpegImageTest, FilesThatHoldNoJpegPictureRaise) {
  const std::string good = JpegBytes(32, 32, [](int x, int y) { return Halves(x, y, 32); });
  std::string badPrecision = good;
  // The frame header's sample precision: 12 bits are not decoded here.
  badPrecision[Marker(good, 0xC0) + 4] = 12;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty.jpg", ""},
      {"text.jpg", "not a picture at all"},
      {"soi.jpg", "\xFF\xD8"},
      {"cut.jpg", good.substr(0, Marker(good, 0xC0))},  // ends before the frame header
      {"png.jpg", "\x89PNG\r\n\x1a\n"},
      {"precision.jpg", badPrecision},
  };
  for (const auto& c : cases) {
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromFile(Put(c.name, c.bytes)), Exception) << c.name;
    EXPECT_TRUE(jpeg.Empty()) << c.name;
  }
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.LoadFromFile("C:\\missing.jpg"), Exception);
}

TEST_F(JpegImageTest, DamagedPictureDataRaisesWhenDecodedAndDrawsNothing) {
  std::string bytes = JpegBytes(32, 32, [](int x, int y) { return Halves(x, y, 32); });
  // The first component's quantization table number becomes one that the
  // file does not define: the header reads, the pixels cannot be made.
  bytes[Marker(bytes, 0xC0) + 12] = 3;
  TJPEGImage jpeg;
  jpeg.LoadFromFile(Put("q.jpg", bytes));
  EXPECT_EQ(jpeg.Width(), 32);
  EXPECT_THROW(jpeg.DIBNeeded(), Exception);
  EXPECT_TRUE(jpeg.Image().isNull());
  EXPECT_THROW(jpeg.DIBNeeded(), Exception);
}

}  // namespace
