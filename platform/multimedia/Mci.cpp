#include "platform/multimedia/Mci.h"

#include <map>
#include <memory>

#include "platform/multimedia/CdDrive.h"
#include "platform/system/CaseFold.h"

namespace {

using platform::CdAudioStatus;
using platform::CdDrive;
using platform::CdDriveStatus;
using platform::CdSubChannel;

constexpr int kFramesPerSecond = 75;
constexpr int kFramesPerMinute = 60 * kFramesPerSecond;

// One open "cdaudio" device: its drive and time format.
struct Session {
  std::unique_ptr<CdDrive> drive;
  std::uint32_t timeFormat = MCI_FORMAT_MSF;
};

// Ids are never used twice, so a request to a closed id fails instead of
// reaching a device opened later.
std::map<MCIDEVICEID, Session>& Sessions() {
  static std::map<MCIDEVICEID, Session> sessions;
  return sessions;
}
MCIDEVICEID nextId = 1;

std::uint32_t PackMsf(int frames) {
  const auto minutes = static_cast<std::uint32_t>(frames / kFramesPerMinute);
  const auto seconds = static_cast<std::uint32_t>(frames / kFramesPerSecond % 60);
  const auto rest = static_cast<std::uint32_t>(frames % kFramesPerSecond);
  return minutes | seconds << 8 | rest << 16;
}

int Byte(std::uint32_t packed, int index) { return static_cast<int>(packed >> (8 * index) & 0xFF); }

// The disc's track range and the start of a track (last + 1: the lead-out).
struct Disc {
  CdDrive& drive;
  int first = 0;
  int last = 0;

  MCIERROR Read() {
    const CdDriveStatus status = drive.Status();
    if (status == CdDriveStatus::TrayOpen || status == CdDriveStatus::NoDisc || status == CdDriveStatus::NotReady)
      return MCIERR_DEVICE_NOT_READY;
    if (!drive.ReadTocHeader(first, last) || first < 1 || last < first) return MCIERR_HARDWARE;
    return 0;
  }
  MCIERROR Start(int track, int& frame) {
    if (track < first || track > last + 1) return MCIERR_OUTOFRANGE;
    return drive.ReadTrackStart(track, frame) ? 0 : MCIERR_HARDWARE;
  }
};

bool MediaPresent(CdDrive& drive) {
  const CdDriveStatus status = drive.Status();
  if (status == CdDriveStatus::DiscOk) return true;
  // A drive that cannot tell has a disc when its contents can be read.
  int first = 0, last = 0;
  return status == CdDriveStatus::NoInfo && drive.ReadTocHeader(first, last);
}

bool Sounding(const CdSubChannel& position) {
  return position.Audio == CdAudioStatus::Playing || position.Audio == CdAudioStatus::Paused;
}

std::uint32_t Mode(CdDrive& drive) {
  switch (drive.Status()) {
    case CdDriveStatus::TrayOpen: return MCI_MODE_OPEN;
    case CdDriveStatus::NoDisc:
    case CdDriveStatus::NotReady: return MCI_MODE_NOT_READY;
    default: break;
  }
  CdSubChannel position;
  if (!drive.ReadSubChannel(position)) return MCI_MODE_STOP;
  if (position.Audio == CdAudioStatus::Playing) return MCI_MODE_PLAY;
  if (position.Audio == CdAudioStatus::Paused) return MCI_MODE_PAUSE;
  return MCI_MODE_STOP;
}

MCIERROR Status(Session& session, std::uint32_t flags, MCI_STATUS_PARMS& parms) {
  if ((flags & MCI_STATUS_ITEM) == 0) return MCIERR_MISSING_PARAMETER;
  if ((flags & MCI_TRACK) != 0 && parms.dwItem != MCI_STATUS_LENGTH) return MCIERR_FLAGS_NOT_COMPATIBLE;
  CdDrive& drive = *session.drive;
  switch (parms.dwItem) {
    case MCI_STATUS_MEDIA_PRESENT: parms.dwReturn = MediaPresent(drive) ? 1 : 0; return 0;
    case MCI_STATUS_MODE: parms.dwReturn = Mode(drive); return 0;
    default: break;
  }
  Disc disc{drive};
  if (MCIERROR error = disc.Read()) return error;
  switch (parms.dwItem) {
    case MCI_STATUS_NUMBER_OF_TRACKS: parms.dwReturn = static_cast<std::uint32_t>(disc.last - disc.first + 1); return 0;
    case MCI_STATUS_CURRENT_TRACK: {
      CdSubChannel position;
      const bool known = drive.ReadSubChannel(position) && Sounding(position) && position.Track >= disc.first &&
                         position.Track <= disc.last;
      parms.dwReturn = static_cast<std::uint32_t>(known ? position.Track : disc.first);
      return 0;
    }
    case MCI_STATUS_LENGTH: {
      // One track from its start to the next one's, or the whole disc.
      const bool oneTrack = (flags & MCI_TRACK) != 0;
      const int track = oneTrack ? static_cast<int>(parms.dwTrack) : disc.first;
      if (track < disc.first || track > disc.last) return MCIERR_OUTOFRANGE;
      int start = 0, end = 0;
      if (MCIERROR error = disc.Start(track, start)) return error;
      if (MCIERROR error = disc.Start(oneTrack ? track + 1 : disc.last + 1, end)) return error;
      parms.dwReturn = PackMsf(end > start ? end - start : 0);
      return 0;
    }
    default: return MCIERR_UNRECOGNIZED_KEYWORD;
  }
}

// A position in the session's time format as an absolute frame. The end of
// a play may be the lead-out, given in TMSF as the track after the last one.
MCIERROR ToFrame(const Session& session, Disc& disc, std::uint32_t packed, bool isEnd, int& frame) {
  if (session.timeFormat == MCI_FORMAT_MSF) {
    frame = Byte(packed, 0) * kFramesPerMinute + Byte(packed, 1) * kFramesPerSecond + Byte(packed, 2);
  } else {
    const int track = Byte(packed, 0);
    const int offset = Byte(packed, 1) * kFramesPerMinute + Byte(packed, 2) * kFramesPerSecond + Byte(packed, 3);
    if (track > disc.last && !(isEnd && track == disc.last + 1 && offset == 0)) return MCIERR_OUTOFRANGE;
    int start = 0;
    if (MCIERROR error = disc.Start(track, start)) return error;
    frame = start + offset;
  }
  return 0;
}

MCIERROR Play(Session& session, std::uint32_t flags, const MCI_PLAY_PARMS& parms) {
  // Play returns at once; without completion notices there is nothing to wait for.
  if ((flags & MCI_WAIT) != 0) return MCIERR_UNSUPPORTED_FUNCTION;
  Disc disc{*session.drive};
  if (MCIERROR error = disc.Read()) return error;
  int discStart = 0, leadOut = 0;
  if (MCIERROR error = disc.Start(disc.first, discStart)) return error;
  if (MCIERROR error = disc.Start(disc.last + 1, leadOut)) return error;
  int from = discStart;
  if ((flags & MCI_FROM) != 0) {
    if (MCIERROR error = ToFrame(session, disc, parms.dwFrom, false, from)) return error;
  } else {
    // From where play stands, else from the disc's start.
    CdSubChannel position;
    if (session.drive->ReadSubChannel(position) && Sounding(position)) from = position.Frame;
  }
  int to = leadOut;
  if ((flags & MCI_TO) != 0) {
    if (MCIERROR error = ToFrame(session, disc, parms.dwTo, true, to)) return error;
  }
  if (from < discStart || from >= to || to > leadOut) return MCIERR_OUTOFRANGE;
  return session.drive->Play(from, to) ? 0 : MCIERR_HARDWARE;
}

MCIERROR Set(Session& session, std::uint32_t flags, const MCI_SET_PARMS& parms) {
  const bool open = (flags & MCI_SET_DOOR_OPEN) != 0;
  const bool closed = (flags & MCI_SET_DOOR_CLOSED) != 0;
  const bool format = (flags & MCI_SET_TIME_FORMAT) != 0;
  if (open && closed) return MCIERR_FLAGS_NOT_COMPATIBLE;
  if (!open && !closed && !format) return MCIERR_MISSING_PARAMETER;
  if (format) {
    if (parms.dwTimeFormat != MCI_FORMAT_MSF && parms.dwTimeFormat != MCI_FORMAT_TMSF) return MCIERR_BAD_TIME_FORMAT;
    session.timeFormat = parms.dwTimeFormat;
  }
  // The ioctls return when the tray has moved, so MCI_WAIT asks nothing more.
  if (open && !session.drive->Eject()) return MCIERR_HARDWARE;
  if (closed && !session.drive->CloseTray()) return MCIERR_HARDWARE;
  return 0;
}

MCIERROR Open(MCIDEVICEID device, std::uint32_t flags, MCI_GENERIC_PARMS* parms) {
  auto* open = dynamic_cast<MCI_OPEN_PARMS*>(parms);
  if (open == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
  if (device != 0) return MCIERR_INVALID_DEVICE_ID;
  if ((flags & MCI_OPEN_TYPE) == 0) return MCIERR_MISSING_PARAMETER;
  if (platform::LowerAscii(open->lpstrDeviceType) != "cdaudio") return MCIERR_INVALID_DEVICE_NAME;
  std::unique_ptr<CdDrive> drive = platform::OpenDefaultCdDrive();
  if (!drive) return MCIERR_DEVICE_NOT_INSTALLED;
  const MCIDEVICEID id = nextId++;
  Sessions()[id].drive = std::move(drive);
  open->wDeviceID = id;
  return 0;
}

}  // namespace

MCIERROR mciSendCommandA(MCIDEVICEID device, unsigned message, std::uint32_t flags, MCI_GENERIC_PARMS* parms) {
  if (message == MCI_OPEN) return Open(device, flags, parms);
  auto found = Sessions().find(device);
  if (found == Sessions().end()) return MCIERR_INVALID_DEVICE_ID;
  Session& session = found->second;
  switch (message) {
    case MCI_CLOSE: Sessions().erase(found); return 0;
    case MCI_STOP: return session.drive->Stop() ? 0 : MCIERR_HARDWARE;
    case MCI_SET: {
      auto* set = dynamic_cast<MCI_SET_PARMS*>(parms);
      return set != nullptr ? Set(session, flags, *set) : MCIERR_NULL_PARAMETER_BLOCK;
    }
    case MCI_STATUS: {
      auto* status = dynamic_cast<MCI_STATUS_PARMS*>(parms);
      return status != nullptr ? Status(session, flags, *status) : MCIERR_NULL_PARAMETER_BLOCK;
    }
    case MCI_PLAY: {
      auto* play = dynamic_cast<MCI_PLAY_PARMS*>(parms);
      return play != nullptr ? Play(session, flags, *play) : MCIERR_NULL_PARAMETER_BLOCK;
    }
    default: return MCIERR_UNRECOGNIZED_COMMAND;
  }
}
