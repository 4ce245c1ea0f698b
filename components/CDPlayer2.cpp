#include "components/CDPlayer2.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/core/Timer.h"
#include "framework/forms/Control.h"
#include "framework/forms/Dialogs.h"

namespace {

// A TMSF position: the track in the lowest byte, then minutes, seconds, frames.
std::uint32_t Tmsf(int track, int minutes = 0, int seconds = 0) {
  return static_cast<std::uint32_t>(track & 0xFF) | static_cast<std::uint32_t>(minutes & 0xFF) << 8 |
         static_cast<std::uint32_t>(seconds & 0xFF) << 16;
}

int MsfMinutes(std::uint32_t msf) { return static_cast<int>(msf & 0xFF); }
int MsfSeconds(std::uint32_t msf) { return static_cast<int>(msf >> 8 & 0xFF); }

}  // namespace

TCDPlayer2::TCDPlayer2(TWinControl* Owner) : TComponent(Owner), NotifyHandle(Owner) {}

TCDPlayer2::~TCDPlayer2() {
  try {
    CloseCD();
  } catch (const Exception&) {
    // The stop that StopOnExit asks for failed; the device is closed all the same.
  }
}

void TCDPlayer2::Init() {
  if (!Opened) {
    MCI_OPEN_PARMS open;
    open.lpstrDeviceType = "cdaudio";
    // Without a device the player stays closed; its next request reports it.
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open) != 0) return;
    DeviceID = open.wDeviceID;
    MCI_SET_PARMS format;
    format.dwTimeFormat = MCI_FORMAT_TMSF;
    CDTest(mciSendCommandA(DeviceID, MCI_SET, MCI_SET_TIME_FORMAT, &format), "Setting Time Format");
    CreateComponents();
    Opened = true;
  }
  if (IsCDPresent()) {
    GetStartTimes();
    StartClock();
  }
}

void TCDPlayer2::CloseCD() { Close(false); }

void TCDPlayer2::Close(bool afterFailure) {
  // The stop runs once: a stop that fails closes the device through CDTest
  // without stopping again. After a failed request it is left out while the
  // device is not open, where it would open the device anew.
  if (StopOnExit && !stopping_ && (Opened || !afterFailure)) {
    stopping_ = true;
    try {
      Stop();
    } catch (const Exception&) {
      stopping_ = false;
      if (!afterFailure) throw;
    }
    stopping_ = false;
  }
  mciSendCommandA(DeviceID, MCI_CLOSE, 0, nullptr);
  Opened = false;
  if (TTimer* clock = Clock1()) clock->SetEnabled(false);
}

void TCDPlayer2::CreateComponents() {
  TTimer* clock = Clock1();
  if (clock == nullptr) return;
  clock->SetInterval(1000);
  // The clock may outlive the player: a tick after the player has gone does nothing.
  clock->OnTimer = [this, alive = std::weak_ptr<int>(lifetime_)](TObject* Sender) {
    if (!alive.expired()) Clock1Timer(Sender);
  };
  clock->SetEnabled(false);
  clock->Tag = 0;
}

void TCDPlayer2::CDTest(MCIERROR Result, const std::string& Operation) {
  if (Result == 0) return;
  Close(true);
  throw Exception("TCDPlayer2: " + Operation);
}

void TCDPlayer2::PlayRequest(std::uint32_t flags, std::uint32_t from, std::uint32_t to, bool notify) {
  MCI_PLAY_PARMS play;
  play.dwFrom = from;
  play.dwTo = to;
  if (notify) play.dwCallback = reinterpret_cast<std::uintptr_t>(NotifyHandle);
  CDTest(mciSendCommandA(DeviceID, MCI_PLAY, flags, &play), "Play");
}

bool TCDPlayer2::ReadyToPlay() {
  if (!Opened) Init();
  if (IsCDPresent()) return true;
  ShowMessage("Please insert CD");
  return false;
}

void TCDPlayer2::Play() {
  if (!ReadyToPlay()) return;
  GetMode();
  if (PlayMode == cdPlaying) {
    PlayRequest(MCI_FROM | MCI_NOTIFY, Tmsf(CurTrack), 0, true);
  } else {
    PlayRequest(MCI_FROM | MCI_NOTIFY, Tmsf(1), 0, true);
    CurTrack = 1;
  }
  StartClock();
}

void TCDPlayer2::Play(int Track) {
  if (!ReadyToPlay()) return;
  PlayRequest(MCI_FROM | MCI_NOTIFY, Tmsf(Track), 0, true);
  CurTrack = Track;
  StartClock();
}

void TCDPlayer2::Play(int First, int Last) {
  if (!ReadyToPlay()) return;
  // To the start of the track after the last one: through the end of the last.
  PlayRequest(MCI_FROM | MCI_TO | MCI_NOTIFY, Tmsf(First), Tmsf(Last + 1), false);
  CurTrack = First;
  StartClock();
}

void TCDPlayer2::Pause() {
  if (PlayMode == cdPaused) {
    TTimer* clock = Clock1();
    if (clock == nullptr) {
      Play();
      return;
    }
    PlayRequest(MCI_FROM | MCI_NOTIFY, Tmsf(CurTrack, CurMin, CurSec), 0, false);
    clock->SetEnabled(true);
    return;
  }
  GetMode();
  if (PlayMode != cdPlaying) return;
  // The device stops; the clock's fields keep the position to resume from.
  Stop();
  PlayMode = cdPaused;
  if (TTimer* clock = Clock1()) clock->SetEnabled(false);
}

void TCDPlayer2::Stop() {
  if (!Opened) Init();
  MCI_GENERIC_PARMS none;
  CDTest(mciSendCommandA(DeviceID, MCI_STOP, MCI_WAIT, &none), "Stop");
}

int TCDPlayer2::StepTrack() {
  GetMode();
  return PlayMode == cdPlaying ? GetCurrentTrack() : CurTrack;
}

void TCDPlayer2::SeekNext() {
  const int current = StepTrack();
  if (current >= GetNumTracks()) {
    Play(1);
  } else {
    Play(current + 1);
  }
}

void TCDPlayer2::SeekPrev() {
  const int current = StepTrack();
  if (current < 2) {
    Play(GetNumTracks());
  } else {
    Play(current - 1);
  }
}

void TCDPlayer2::Eject() {
  if (!Opened) Init();
  GetMode();
  if (PlayMode == cdOpen) {
    Inject();
    return;
  }
  if (PlayMode == cdPlaying) Stop();
  MCI_SET_PARMS door;
  CDTest(mciSendCommandA(DeviceID, MCI_SET, MCI_SET_DOOR_OPEN, &door), "Eject");
}

void TCDPlayer2::Inject() {
  if (!Opened) Init();
  GetMode();
  if (PlayMode != cdOpen) {
    Eject();
    return;
  }
  MCI_SET_PARMS door;
  CDTest(mciSendCommandA(DeviceID, MCI_SET, MCI_SET_DOOR_CLOSED | MCI_WAIT, &door), "Inject");
  Init();
}

std::uint32_t TCDPlayer2::StatusItem(std::uint32_t item, const std::string& operation) {
  MCI_STATUS_PARMS status;
  status.dwItem = item;
  CDTest(mciSendCommandA(DeviceID, MCI_STATUS, MCI_STATUS_ITEM, &status), operation);
  return status.dwReturn;
}

void TCDPlayer2::GetMode() {
  switch (StatusItem(MCI_STATUS_MODE, "GetMode")) {
    case MCI_MODE_NOT_READY: PlayMode = cdNotReady; break;
    case MCI_MODE_PAUSE: PlayMode = cdPaused; break;
    case MCI_MODE_PLAY: PlayMode = cdPlaying; break;
    case MCI_MODE_STOP: PlayMode = cdStopped; break;
    case MCI_MODE_OPEN: PlayMode = cdOpen; break;
    case MCI_MODE_SEEK: PlayMode = cdSeeking; break;
    default: break;  // recording or unknown: the mode stays
  }
}

std::string TCDPlayer2::ShowMode(bool Show) {
  GetMode();
  static const char* const texts[] = {"Not Ready", "Paused", "Playing", "Stoped", "Open", "Seeking"};
  const std::string text = texts[PlayMode];
  if (Show) ShowMessage(text);
  return text;
}

bool TCDPlayer2::IsCDPresent() { return StatusItem(MCI_STATUS_MEDIA_PRESENT, "IsCDPresent") != 0; }

int TCDPlayer2::GetNumTracks() { return static_cast<int>(StatusItem(MCI_STATUS_NUMBER_OF_TRACKS, "GetNumTracks")); }

int TCDPlayer2::GetCurrentTrack() { return static_cast<int>(StatusItem(MCI_STATUS_CURRENT_TRACK, "GetCurrentTrack")); }

std::uint32_t TCDPlayer2::GetTotalLength() { return StatusItem(MCI_STATUS_LENGTH, "GetTotalLength"); }

void TCDPlayer2::GetStartTimes() {
  const int count = std::min(GetNumTracks(), 30);
  for (int track = 1; track <= count; ++track) {
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_LENGTH;
    status.dwTrack = static_cast<std::uint32_t>(track);
    CDTest(mciSendCommandA(DeviceID, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK, &status), "GetStartTimes");
    TrackTimes[static_cast<size_t>(track)] = {MsfMinutes(status.dwReturn), MsfSeconds(status.dwReturn)};
  }
}

void TCDPlayer2::StartClock() {
  TTimer* clock = Clock1();
  if (clock == nullptr) return;
  CurSec = 0;
  CurMin = 0;
  clock->SetEnabled(true);
}

TTimer* TCDPlayer2::Clock1() const { return clockLifetime_.expired() ? nullptr : clock_; }

void TCDPlayer2::SetClock(TTimer* Timer) {
  clock_ = Timer;
  clockLifetime_.reset();
  if (Timer == nullptr) return;
  Timer->SetEnabled(false);
  Timer->SetInterval(1000);
  clockLifetime_ = Timer->Lifetime();
}

void TCDPlayer2::Clock1Timer(TObject* /*Sender*/) {
  if (!Opened) return;
  GetMode();
  if (PlayMode == cdPlaying) {
    if (++CurSec == 60) {
      CurSec = 0;
      ++CurMin;
    }
    // The track is over once the clock passes its length. A track past the
    // table (a disc of more than 30 tracks) has no length: the clock counts on.
    if (CurTrack >= 0 && CurTrack < static_cast<int>(TrackTimes.size())) {
      const TTrackTime& length = TrackTimes[static_cast<size_t>(CurTrack)];
      if (CurMin * 60 + CurSec > length.Min * 60 + length.Sec) {
        ++CurTrack;
        CurMin = 0;
        CurSec = 1;
      }
    }
  } else if (PlayMode == cdStopped) {
    // Stopped: the display shows the whole disc.
    CurTrack = GetNumTracks();
    const std::uint32_t length = GetTotalLength();
    CurMin = MsfMinutes(length);
    CurSec = MsfSeconds(length);
  }
}
