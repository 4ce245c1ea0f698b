#include "framework/core/Timer.h"

#include <QTimer>

#include "framework/core/Dispatch.h"

struct TTimer::Impl {
  QTimer timer;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {
  QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] { Tick(); });
  Update();
}

TTimer::~TTimer() = default;

void TTimer::SetInterval(int milliseconds) {
  interval_ = milliseconds;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::Update() {
  // Setting the interval or enabling again restarts the period, as a fresh timer.
  impl_->timer.stop();
  if (enabled_ && interval_ > 0) impl_->timer.start(interval_);
}

void TTimer::Tick() {
  if (OnTimer) DispatchEvent([this] { OnTimer(this); });
}
