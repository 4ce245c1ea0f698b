#pragma once

#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Color.h"

class TChart;

/// The slices of a pie, each a value, a label and a colour, drawn on the
/// chart it is placed on. Each slice takes its value's share of the sum of
/// the positive values; values of zero and below get no slice, and a pie
/// whose values sum to nothing draws nothing.
class TPieSeries : public TComponent {
 public:
  explicit TPieSeries(TComponent* owner);
  ~TPieSeries() override;

  TChart* ParentChart() const { return chart_; }
  /// Places the series on a chart (none takes it off).
  void SetParentChart(TChart* chart);

  /// Removes every slice.
  void Clear();
  /// Appends a slice; its position.
  int Add(double value, const std::string& label, TColor color);
  int Count() const { return static_cast<int>(slices_.size()); }
  double Value(int index) const { return slices_.at(static_cast<std::size_t>(index)).value; }
  const std::string& Label(int index) const { return slices_.at(static_cast<std::size_t>(index)).label; }
  TColor ValueColor(int index) const { return slices_.at(static_cast<std::size_t>(index)).color; }

  /// Whether the pie stays round whatever the chart's shape (else it fills
  /// the chart's area as an ellipse).
  bool Circled() const { return circled_; }
  void SetCircled(bool circled);
  /// Where the first slice starts: degrees counter-clockwise from three o'clock.
  int RotationAngle() const { return rotationAngle_; }
  void SetRotationAngle(int degrees);

 private:
  friend class TChart;
  struct Slice {
    double value;
    std::string label;
    TColor color;
  };
  void Changed();

  TChart* chart_ = nullptr;
  std::vector<Slice> slices_;
  bool circled_ = false;
  int rotationAngle_ = 0;
};
