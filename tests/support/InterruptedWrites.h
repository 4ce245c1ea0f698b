#pragma once

#include "platform/files/FileReplacement.h"

namespace testing_support {

/// For its lifetime, counts the steps of every file replacement that change
/// the disk and, given a number, lets only that many run: the step after
/// them and every later one are left undone, as if the process had been
/// killed there.
class InterruptedWrites {
 public:
  explicit InterruptedWrites(int allowed = -1) : allowed_(allowed) {
    platform::FileReplacement::SetInterruption([this] {
      ++steps_;
      return allowed_ < 0 || steps_ <= allowed_;
    });
  }
  ~InterruptedWrites() { platform::FileReplacement::SetInterruption(nullptr); }
  InterruptedWrites(const InterruptedWrites&) = delete;
  InterruptedWrites& operator=(const InterruptedWrites&) = delete;

  /// The steps asked for so far, the cut one included.
  int Steps() const { return steps_; }

 private:
  int allowed_;
  int steps_ = 0;
};

}  // namespace testing_support
