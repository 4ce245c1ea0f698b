#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "framework/chart/Chart.h"
#include "framework/chart/PieSeries.h"
#include "framework/forms/Form.h"

namespace {

struct Pie {
  TForm form{nullptr};
  TChart* chart = new TChart(&form);
  TPieSeries* series = new TPieSeries(&form);

  Pie() {
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 216, 216);  // a pie of 200 pixels across, centred at 108, 108
    series->SetParentChart(chart);
    series->SetCircled(true);
  }

  QImage Picture() const { return chart->Widget()->grab().toImage(); }

  // The pixels drawn in exactly a colour.
  static int Count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
  }
};

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlue = 0x0000FF;

TEST(Chart, SlicesTakeTheirValuesShareOfThePie) {
  Pie pie;
  pie.series->Add(1, "one", clRed);
  pie.series->Add(3, "three", clBlue);
  pie.series->Add(0, "none", clLime);
  pie.series->Add(-5, "below", clLime);
  ASSERT_EQ(pie.series->Count(), 4);
  EXPECT_EQ(pie.series->Label(1), "three");
  const QImage image = pie.Picture();
  const int red = Pie::Count(image, kRed);
  const int blue = Pie::Count(image, kBlue);
  ASSERT_GT(red, 0);
  EXPECT_NEAR(static_cast<double>(blue) / red, 3.0, 0.15);
  EXPECT_EQ(Pie::Count(image, 0x00FF00), 0) << "values of zero and below get no slice";
}

TEST(Chart, TheFirstSliceStartsAtTheRotationAngleAndTurnsCounterClockwise) {
  const struct {
    int angle;
    int x, y;  // a point of the first of two equal slices
  } cases[] = {{0, 108, 58}, {90, 58, 108}, {180, 108, 158}, {270, 158, 108}};
  for (const auto& c : cases) {
    Pie pie;
    pie.series->SetRotationAngle(c.angle);
    pie.series->Add(1, "first", clRed);
    pie.series->Add(1, "second", clBlue);
    const QImage image = pie.Picture();
    EXPECT_EQ(image.pixel(c.x, c.y) & 0xFFFFFF, kRed) << c.angle;
    EXPECT_EQ(image.pixel(216 - c.x, 216 - c.y) & 0xFFFFFF, kBlue) << c.angle;
  }
}

TEST(Chart, NothingToShareDrawsNoPie) {
  Pie pie;
  pie.series->Add(0, "free", clRed);
  pie.series->Add(0, "used", clBlue);
  EXPECT_EQ(Pie::Count(pie.Picture(), kRed) + Pie::Count(pie.Picture(), kBlue), 0);
  pie.series->Clear();
  EXPECT_EQ(pie.series->Count(), 0);
  pie.series->Add(5, "all", clRed);
  EXPECT_GT(Pie::Count(pie.Picture(), kRed), 0);
}

TEST(Chart, ChartAndSeriesMayGoInEitherOrder) {
  {
    Pie pie;
    delete pie.series;
    EXPECT_EQ(pie.chart->SeriesCount(), 0);
    pie.Picture();
  }
  {
    Pie pie;
    delete pie.chart;
    EXPECT_EQ(pie.series->ParentChart(), nullptr);
    pie.series->Add(1, "after", clRed);
  }
}

}  // namespace
