#pragma once

// Test helper: a scripted optical drive behind the platform's CD audio
// commands, so no test ever reaches a real drive.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/multimedia/CdDrive.h"

namespace testing_support {

/// For its lifetime, the default optical drive is this fake: a tray, a disc
/// of tracks of given lengths starting at 00:02:00, and audio play that
/// stands where the test puts it. Every request the drive gets is logged;
/// the operations named in `failing` fail.
class FakeCdDrive {
 public:
  FakeCdDrive();
  ~FakeCdDrive();
  FakeCdDrive(const FakeCdDrive&) = delete;
  FakeCdDrive& operator=(const FakeCdDrive&) = delete;

  /// Puts in a disc with tracks of these lengths (minutes, seconds).
  void InsertDisc(const std::vector<std::pair<int, int>>& tracks);
  /// A disc of `count` tracks of 3:00 each.
  void InsertDisc(int count);
  void RemoveDisc() { disc_ = false; }

  /// The absolute frame where a track starts (count + 1: the lead-out).
  int TrackStart(int track) const;
  /// Audio play moves on by seconds; past its end it has completed.
  void Advance(int seconds);

  /// The drive's answers: whether it exists, its tray and play.
  bool installed = true;
  bool trayOpen = false;
  platform::CdAudioStatus audio = platform::CdAudioStatus::NoStatus;
  int position = 0;
  int playEnd = 0;
  /// Operations that fail: "status", "toc" (the header), "entry" (a track's
  /// start), "play", "stop", "eject", "close", "subchannel".
  std::set<std::string> failing;
  /// The requests made: "play FROM-TO" (frames), "stop", "eject", "close".
  std::vector<std::string> log;
  /// How many times the drive was opened, and how many openings are still held.
  int opens = 0;
  int held = 0;

 private:
  class Handle;
  friend class Handle;
  bool disc_ = false;
  std::vector<int> frames_;
  platform::CdDriveOpener previous_;
};

/// Makes the default optical drive absent for the whole test program (the
/// test mains call it first), so only a FakeCdDrive is ever opened.
void UseNoOpticalDrive();

}  // namespace testing_support
