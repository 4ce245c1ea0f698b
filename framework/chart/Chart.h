#pragma once

#include <string>
#include <vector>

#include "framework/forms/Control.h"

class TPieSeries;

/// A chart: a title across its top and, below it, the series placed on it
/// (pie series, drawn flat). It draws no legend, axes or frame.
class TChart : public TWinControl {
 public:
  explicit TChart(TComponent* owner);
  ~TChart() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  /// The title's font; the chart redraws when it changes.
  TFont* TitleFont() { return &titleFont_; }

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TPieSeries* Series(int index) const { return series_.at(static_cast<std::size_t>(index)); }

 private:
  friend class TPieSeries;
  void AddSeries(TPieSeries* series);
  void RemoveSeries(TPieSeries* series);

  std::string title_;
  TFont titleFont_;
  std::vector<TPieSeries*> series_;
};
