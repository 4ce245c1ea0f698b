#include "framework/chart/Chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "framework/chart/PieSeries.h"
#include "framework/graphics/QtConvert.h"

namespace {

constexpr int kMargin = 8;

void DrawPie(QPainter& painter, const TPieSeries& series, QRect area) {
  double total = 0;
  for (int i = 0; i < series.Count(); ++i) total += std::max(0.0, series.Value(i));
  // Nothing to share out (no slices, or all of them empty): no pie at all,
  // rather than slices of an undefined size.
  if (!(total > 0) || !std::isfinite(total) || area.width() <= 0 || area.height() <= 0) return;
  if (series.Circled()) {
    const int side = std::min(area.width(), area.height());
    area = QRect(area.x() + (area.width() - side) / 2, area.y() + (area.height() - side) / 2, side, side);
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  // Qt counts angles in sixteenths of a degree, counter-clockwise.
  double start = series.RotationAngle() * 16.0;
  for (int i = 0; i < series.Count(); ++i) {
    const double value = series.Value(i);
    if (!(value > 0)) continue;
    const double span = value / total * 360.0 * 16.0;
    painter.setBrush(QtColor(series.ValueColor(i)));
    painter.drawPie(area, static_cast<int>(std::lround(start)), static_cast<int>(std::lround(span)));
    start += span;
  }
}

class ChartWidget : public QWidget {
 public:
  explicit ChartWidget(TChart* chart) : chart_(chart) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (!chart_->Title().empty()) {
      const QFont font = QtFont(*chart_->TitleFont());
      painter.setFont(font);
      painter.setPen(QtColor(chart_->TitleFont()->Color()));
      const int height = QFontMetrics(font).height();
      painter.drawText(QRect(area.x(), area.y(), area.width(), height), Qt::AlignHCenter | Qt::AlignTop,
                       QtText(chart_->Title()));
      area.setTop(area.top() + height + kMargin / 2);
    }
    for (int i = 0; i < chart_->SeriesCount(); ++i) DrawPie(painter, *chart_->Series(i), area);
  }

 private:
  TChart* chart_;
};

}  // namespace

TChart::TChart(TComponent* owner) : TWinControl(owner) {
  SetWidget(new ChartWidget(this));
  SetBounds(0, 0, 400, 250);
  titleFont_.OnChange = [this] { Invalidate(); };
}

TChart::~TChart() {
  // Series outliving their chart must not reach back into it.
  for (TPieSeries* series : series_) series->chart_ = nullptr;
}

void TChart::SetTitle(const std::string& title) {
  title_ = title;
  Invalidate();
}

void TChart::AddSeries(TPieSeries* series) {
  series_.push_back(series);
  Invalidate();
}

void TChart::RemoveSeries(TPieSeries* series) {
  series_.erase(std::remove(series_.begin(), series_.end(), series), series_.end());
  Invalidate();
}
