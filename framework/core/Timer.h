#pragma once

#include <memory>

#include "framework/core/Component.h"
#include "framework/core/Events.h"

/// A clock that runs OnTimer every Interval milliseconds while it is enabled
/// and its interval is above 0. Its events run on the window
/// thread through the framework's dispatch, like every other event. A new
/// timer is enabled with an interval of 1000 milliseconds.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

  /// Expires when the timer is destroyed: a holder that does not own the
  /// timer keeps a weak reference to this to learn that it has gone.
  std::weak_ptr<void> Lifetime() const { return lifetime_; }

 private:
  void Update();
  void Tick();

  struct Impl;
  std::unique_ptr<Impl> impl_;
  int interval_ = 1000;
  bool enabled_ = true;
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};
