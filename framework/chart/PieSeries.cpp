#include "framework/chart/PieSeries.h"

#include "framework/chart/Chart.h"

TPieSeries::TPieSeries(TComponent* owner) : TComponent(owner) {}

TPieSeries::~TPieSeries() { SetParentChart(nullptr); }

void TPieSeries::SetParentChart(TChart* chart) {
  if (chart == chart_) return;
  if (chart_ != nullptr) chart_->RemoveSeries(this);
  chart_ = chart;
  if (chart_ != nullptr) chart_->AddSeries(this);
}

void TPieSeries::Clear() {
  slices_.clear();
  Changed();
}

int TPieSeries::Add(double value, const std::string& label, TColor color) {
  slices_.push_back({value, label, color});
  Changed();
  return Count() - 1;
}

void TPieSeries::SetCircled(bool circled) {
  circled_ = circled;
  Changed();
}

void TPieSeries::SetRotationAngle(int degrees) {
  rotationAngle_ = degrees;
  Changed();
}

void TPieSeries::Changed() {
  if (chart_ != nullptr) chart_->Invalidate();
}
