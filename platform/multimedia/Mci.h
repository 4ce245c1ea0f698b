#pragma once

#include <cstdint>
#include <string>

// The multimedia command interface for CD audio: a device of type "cdaudio"
// is opened, asked and driven by command messages, each with a parameter
// block of its own. Positions and lengths travel packed in 32 bits in the
// device's time format (MCI_FORMAT_TMSF, MCI_FORMAT_MSF, below). The codes
// and constants are this platform's own; only their names carry meaning.

/// An answer of the multimedia command interface: 0 for success, else an
/// MCIERR_ code.
using MCIERROR = std::uint32_t;
/// The id of an open device; 0 names no device.
using MCIDEVICEID = std::uint32_t;

constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = 2;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = 3;
constexpr MCIERROR MCIERR_HARDWARE = 4;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = 5;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = 6;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = 7;
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = 8;
constexpr MCIERROR MCIERR_OUTOFRANGE = 9;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = 10;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = 11;
constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = 12;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = 13;

/// Command messages.
constexpr unsigned MCI_OPEN = 1;
constexpr unsigned MCI_CLOSE = 2;
constexpr unsigned MCI_PLAY = 3;
constexpr unsigned MCI_STOP = 4;
constexpr unsigned MCI_SET = 5;
constexpr unsigned MCI_STATUS = 6;

/// Flags every command takes. MCI_NOTIFY asks for a completion notice to
/// the window in dwCallback; MCI_WAIT returns only when the command is done.
constexpr std::uint32_t MCI_NOTIFY = 0x0001;
constexpr std::uint32_t MCI_WAIT = 0x0002;
/// MCI_PLAY: dwFrom and dwTo hold the positions to play from and to.
constexpr std::uint32_t MCI_FROM = 0x0004;
constexpr std::uint32_t MCI_TO = 0x0008;
/// MCI_STATUS: dwTrack names the track the item is asked for.
constexpr std::uint32_t MCI_TRACK = 0x0010;
/// MCI_OPEN: lpstrDeviceType names the device type.
constexpr std::uint32_t MCI_OPEN_TYPE = 0x0020;
/// MCI_STATUS: dwItem names the item asked for.
constexpr std::uint32_t MCI_STATUS_ITEM = 0x0040;
/// MCI_SET: open or close the door, or set the time format (dwTimeFormat).
constexpr std::uint32_t MCI_SET_DOOR_OPEN = 0x0080;
constexpr std::uint32_t MCI_SET_DOOR_CLOSED = 0x0100;
constexpr std::uint32_t MCI_SET_TIME_FORMAT = 0x0200;

/// Status items.
constexpr std::uint32_t MCI_STATUS_LENGTH = 1;
constexpr std::uint32_t MCI_STATUS_NUMBER_OF_TRACKS = 2;
constexpr std::uint32_t MCI_STATUS_MODE = 3;
constexpr std::uint32_t MCI_STATUS_MEDIA_PRESENT = 4;
constexpr std::uint32_t MCI_STATUS_CURRENT_TRACK = 5;

/// Device modes, the answer to MCI_STATUS_MODE.
constexpr std::uint32_t MCI_MODE_NOT_READY = 1;
constexpr std::uint32_t MCI_MODE_STOP = 2;
constexpr std::uint32_t MCI_MODE_PLAY = 3;
constexpr std::uint32_t MCI_MODE_RECORD = 4;
constexpr std::uint32_t MCI_MODE_SEEK = 5;
constexpr std::uint32_t MCI_MODE_PAUSE = 6;
constexpr std::uint32_t MCI_MODE_OPEN = 7;

/// Time formats. MSF: minutes in the lowest byte, then seconds, then frames
/// (75 a second). TMSF: the track in the lowest byte, then minutes, seconds
/// and frames into that track. Lengths are always answered as MSF.
constexpr std::uint32_t MCI_FORMAT_MSF = 1;
constexpr std::uint32_t MCI_FORMAT_TMSF = 2;

/// The parameter block of a command without parameters of its own.
/// dwCallback is the window that MCI_NOTIFY would notify.
struct MCI_GENERIC_PARMS {
  virtual ~MCI_GENERIC_PARMS() = default;
  std::uintptr_t dwCallback = 0;
};

/// MCI_OPEN: the device type to open; answers the new device's id.
struct MCI_OPEN_PARMS : MCI_GENERIC_PARMS {
  MCIDEVICEID wDeviceID = 0;
  std::string lpstrDeviceType;
};

/// MCI_SET: the time format for MCI_SET_TIME_FORMAT.
struct MCI_SET_PARMS : MCI_GENERIC_PARMS {
  std::uint32_t dwTimeFormat = 0;
};

/// MCI_STATUS: the item (and track) asked for; answers in dwReturn.
struct MCI_STATUS_PARMS : MCI_GENERIC_PARMS {
  std::uint32_t dwReturn = 0;
  std::uint32_t dwItem = 0;
  std::uint32_t dwTrack = 0;
};

/// MCI_PLAY: the positions for MCI_FROM and MCI_TO, in the time format.
struct MCI_PLAY_PARMS : MCI_GENERIC_PARMS {
  std::uint32_t dwFrom = 0;
  std::uint32_t dwTo = 0;
};

/// Sends a command message to an open device (MCI_OPEN: to device 0). The
/// parameter block must be the one the message takes (MCI_OPEN_PARMS for
/// MCI_OPEN, MCI_SET_PARMS for MCI_SET, MCI_STATUS_PARMS for MCI_STATUS,
/// MCI_PLAY_PARMS for MCI_PLAY; MCI_STOP and MCI_CLOSE take any block or
/// none). The only device type is "cdaudio", the default optical drive.
/// Completion notices are never sent: MCI_NOTIFY is accepted and ignored.
MCIERROR mciSendCommandA(MCIDEVICEID device, unsigned message, std::uint32_t flags, MCI_GENERIC_PARMS* parms);

/// Sends a multimedia command string ("set cdaudio door open", "set cdaudio
/// door closed") to the default device of its type, with no reply wanted.
MCIERROR mciSendStringA(const std::string& command);
