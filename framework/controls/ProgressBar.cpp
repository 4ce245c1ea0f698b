#include "framework/controls/ProgressBar.h"

#include <QProgressBar>
#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  auto* bar = new QProgressBar();
  bar->setTextVisible(false);
  SetWidget(bar);
  SetBounds(0, 0, 150, 16);
  Update();
}

void TProgressBar::SetMin(int min) {
  min_ = min;
  if (max_ < min_) max_ = min_;
  Update();
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  if (min_ > max_) min_ = max_;
  Update();
}

void TProgressBar::SetPosition(int position) {
  position_ = position;
  Update();
}

// Past the end a step starts again at Min, as the system's bar wraps.
void TProgressBar::StepIt() {
  position_ += step_;
  if (position_ > max_) position_ = min_ + (position_ - max_);
  Update();
}

void TProgressBar::Update() {
  position_ = std::clamp(position_, min_, max_);
  auto* bar = static_cast<QProgressBar*>(Widget());
  bar->setRange(min_, max_);
  bar->setValue(position_);
}
