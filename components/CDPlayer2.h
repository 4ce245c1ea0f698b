#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "platform/multimedia/Mci.h"

class TTimer;
class TWinControl;

/// The play mode the player last read from the device, or cdPaused after
/// Pause.
enum TCDPlayMode : unsigned char { cdNotReady, cdPaused, cdPlaying, cdStopped, cdOpen, cdSeeking };

/// One track's length.
struct TTrackTime {
  int Min = 0;
  int Sec = 0;
};

/// A non-visual audio CD player on the "cdaudio" device: plays the disc, a
/// track or a range of tracks, pauses and resumes, stops, steps to the next
/// or previous track with wrap-around, opens and closes the door and reports
/// the play mode. A one-second clock given by the host (Clock1) keeps the
/// current track and the time into it by the disc's track lengths. A failed
/// request closes the device and raises Exception "TCDPlayer2: " + the
/// operation's name.
class TCDPlayer2 : public TComponent {
 public:
  /// The owner's window becomes NotifyHandle.
  explicit TCDPlayer2(TWinControl* Owner);
  /// Closes the device; a failure of the stop that StopOnExit asks for is
  /// dropped, since the player is going.
  ~TCDPlayer2() override;

  /// Opens the device if it is not open, then reads the disc if one is in.
  void Init();
  /// Closes the device (stopping play first when StopOnExit is set).
  void CloseCD();
  /// Sets up the clock: 1000 ms, Clock1Timer as its handler, disabled, Tag 0.
  void CreateComponents();
  /// Does nothing for 0; any other result closes the device and raises.
  void CDTest(MCIERROR Result, const std::string& Operation);

  /// Plays the current track again while playing, else the disc from track 1.
  void Play();
  /// Plays from the start of a track.
  void Play(int Track);
  /// Plays from the start of First through the end of Last.
  void Play(int First, int Last);
  /// Stops play keeping the clock's position, or resumes from it.
  void Pause();
  void Stop();
  void SeekNext();
  void SeekPrev();
  /// Opens the door, or closes it when it is open.
  void Eject();
  /// Closes the door and reads the disc, or opens it when it is closed.
  void Inject();

  /// Reads the device's mode into PlayMode.
  void GetMode();
  /// The mode's text ("Stoped" for stopped), also in a message box when Show.
  std::string ShowMode(bool Show);
  bool IsCDPresent();
  int GetNumTracks();
  int GetCurrentTrack();
  /// The disc's length as MSF: minutes in the lowest byte, then seconds.
  std::uint32_t GetTotalLength();
  /// Fills TrackTimes with the lengths of tracks 1 to 30 at most.
  void GetStartTimes();
  /// Restarts the clock at 0:00 of the current track.
  void StartClock();

  /// The one-second clock; not owned. The player forgets it when it goes.
  TTimer* Clock1() const;
  void SetClock(TTimer* Timer);
  /// The clock's event: advances the track and time by the track lengths.
  void Clock1Timer(TObject* Sender);

  bool Opened = false;
  int CurTrack = 0;
  /// The window the device's completion notices are addressed to.
  TWinControl* NotifyHandle = nullptr;
  int CurMin = 0;
  TCDPlayMode PlayMode = cdNotReady;
  int CurSec = 0;
  /// Track lengths by track number; entry 0 is never filled, and entries
  /// past the disc's track count keep what an earlier disc left.
  std::array<TTrackTime, 31> TrackTimes{};
  /// Closing the device stops play first.
  bool StopOnExit = false;
  MCIDEVICEID DeviceID = 0;

 private:
  void Close(bool afterFailure);
  /// Opens the device when needed; false (with "Please insert CD") without a disc.
  bool ReadyToPlay();
  void PlayRequest(std::uint32_t flags, std::uint32_t from, std::uint32_t to, bool notify);
  /// The track to step from: the device's while playing, else CurTrack.
  int StepTrack();
  std::uint32_t StatusItem(std::uint32_t item, const std::string& operation);

  TTimer* clock_ = nullptr;
  std::weak_ptr<void> clockLifetime_;
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
  bool stopping_ = false;
};
