#pragma once

#include <functional>
#include <memory>

namespace platform {

/// What the drive says of its tray and disc.
enum class CdDriveStatus { NoInfo, NoDisc, TrayOpen, NotReady, DiscOk };

/// What the drive says of audio play.
enum class CdAudioStatus { NoStatus, Playing, Paused, Completed, Error };

/// Positions on the disc are absolute frame addresses, 75 frames a second
/// (00:02:00 is frame 150).

/// Where audio play stands: its status, the track and the absolute frame.
struct CdSubChannel {
  CdAudioStatus Audio = CdAudioStatus::NoStatus;
  int Track = 0;
  int Frame = 0;
};

/// One open optical drive: the few things the CD audio commands ask of it.
/// Each answers whether the drive did it. The Linux drive speaks through the
/// CD-ROM ioctls; tests give a scripted drive of their own.
class CdDrive {
 public:
  virtual ~CdDrive() = default;
  virtual CdDriveStatus Status() = 0;
  /// The first and last track numbers of the disc's table of contents.
  virtual bool ReadTocHeader(int& firstTrack, int& lastTrack) = 0;
  /// Where a track starts; the track after the last one is the lead-out.
  virtual bool ReadTrackStart(int track, int& frame) = 0;
  /// Plays from frame `start` up to (not including) frame `end`.
  virtual bool Play(int start, int end) = 0;
  virtual bool Stop() = 0;
  virtual bool Eject() = 0;
  virtual bool CloseTray() = 0;
  virtual bool ReadSubChannel(CdSubChannel& position) = 0;
};

/// Opens the default optical drive; null when there is none or it cannot be
/// opened.
using CdDriveOpener = std::function<std::unique_ptr<CdDrive>()>;

/// Replaces what opens the default optical drive (tests give a fake drive);
/// an empty opener brings back the real one. Returns the previous opener.
CdDriveOpener SetCdDriveOpener(CdDriveOpener opener);

/// Opens the default optical drive through the current opener.
std::unique_ptr<CdDrive> OpenDefaultCdDrive();

}  // namespace platform
