#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/multimedia/Mci.h"
#include "tests/support/FakeCdDrive.h"

namespace {

using testing_support::FakeCdDrive;

std::uint32_t Tmsf(int track, int minutes = 0, int seconds = 0, int frames = 0) {
  return static_cast<std::uint32_t>(track | minutes << 8 | seconds << 16 | frames << 24);
}
std::uint32_t Msf(int minutes, int seconds, int frames = 0) {
  return static_cast<std::uint32_t>(minutes | seconds << 8 | frames << 16);
}

TEST(MciString, DoorStringsMoveTheTrayAndCloseTheDevice) {
  FakeCdDrive drive;
  EXPECT_EQ(mciSendStringA("set cdaudio door open"), 0u);
  EXPECT_TRUE(drive.trayOpen);
  EXPECT_EQ(mciSendStringA("  SET CDAudio  door   Closed "), 0u);
  EXPECT_FALSE(drive.trayOpen);
  EXPECT_EQ(drive.log, (std::vector<std::string>{"eject", "close"}));
  EXPECT_EQ(drive.held, 0);

  drive.failing = {"eject"};
  EXPECT_EQ(mciSendStringA("set cdaudio door open"), MCIERR_HARDWARE);
  drive.installed = false;
  EXPECT_EQ(mciSendStringA("set cdaudio door closed"), MCIERR_DEVICE_NOT_INSTALLED);
  EXPECT_EQ(drive.held, 0);
}

TEST(MciString, AnyOtherStringIsAnErrorAndReachesNoDrive) {
  FakeCdDrive drive;
  const std::pair<const char*, MCIERROR> cases[] = {
      {"", MCIERR_UNRECOGNIZED_COMMAND},
      {"play cdaudio", MCIERR_UNRECOGNIZED_COMMAND},
      {"set waveaudio door open", MCIERR_INVALID_DEVICE_NAME},
      {"set", MCIERR_INVALID_DEVICE_NAME},
      {"set cdaudio door", MCIERR_UNRECOGNIZED_KEYWORD},
      {"set cdaudio door ajar", MCIERR_UNRECOGNIZED_KEYWORD},
      {"set cdaudio door open wait", MCIERR_UNRECOGNIZED_KEYWORD},
  };
  for (const auto& [command, error] : cases) EXPECT_EQ(mciSendStringA(command), error) << command;
  EXPECT_EQ(drive.opens, 0);
}

class MciCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    drive.InsertDisc({{3, 30}, {4, 5}, {2, 0}});
    MCI_OPEN_PARMS open;
    open.lpstrDeviceType = "cdaudio";
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open), 0u);
    id = open.wDeviceID;
    MCI_SET_PARMS format;
    format.dwTimeFormat = MCI_FORMAT_TMSF;
    ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, &format), 0u);
  }
  void TearDown() override { mciSendCommandA(id, MCI_CLOSE, 0, nullptr); }

  MCIERROR Status(std::uint32_t item, std::uint32_t& answer, int track = 0) {
    MCI_STATUS_PARMS status;
    status.dwItem = item;
    status.dwTrack = static_cast<std::uint32_t>(track);
    const MCIERROR error = mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | (track != 0 ? MCI_TRACK : 0), &status);
    answer = status.dwReturn;
    return error;
  }
  std::uint32_t Status(std::uint32_t item, int track = 0) {
    std::uint32_t answer = 0;
    EXPECT_EQ(Status(item, answer, track), 0u);
    return answer;
  }
  MCIERROR Play(std::uint32_t flags, std::uint32_t from, std::uint32_t to = 0) {
    MCI_PLAY_PARMS play;
    play.dwFrom = from;
    play.dwTo = to;
    return mciSendCommandA(id, MCI_PLAY, flags, &play);
  }
  std::string Span(int from, int to) { return "play " + std::to_string(from) + "-" + std::to_string(to); }

  FakeCdDrive drive;
  MCIDEVICEID id = 0;
};

TEST_F(MciCommand, OpenTakesOnlyTheCdAudioTypeAndIdsAreNeverReused) {
  MCI_OPEN_PARMS open;
  open.lpstrDeviceType = "waveaudio";
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open), MCIERR_INVALID_DEVICE_NAME);
  open.lpstrDeviceType = "CDAudio";
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open), 0u);
  const MCIDEVICEID second = open.wDeviceID;
  EXPECT_NE(second, id);
  EXPECT_EQ(drive.held, 2);
  EXPECT_EQ(mciSendCommandA(second, MCI_CLOSE, 0, nullptr), 0u);
  EXPECT_EQ(drive.held, 1);

  std::uint32_t answer = 0;
  MCI_STATUS_PARMS status;
  status.dwItem = MCI_STATUS_MODE;
  for (MCIDEVICEID gone : {MCIDEVICEID{0}, second})
    EXPECT_EQ(mciSendCommandA(gone, MCI_STATUS, MCI_STATUS_ITEM, &status), MCIERR_INVALID_DEVICE_ID);
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open), 0u);
  EXPECT_NE(open.wDeviceID, second);
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, nullptr);
  // A parameter block of another command is refused.
  EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, &open), MCIERR_NULL_PARAMETER_BLOCK);
  EXPECT_EQ(Status(MCI_STATUS_MODE, answer), 0u);

  drive.installed = false;
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, &open), MCIERR_DEVICE_NOT_INSTALLED);
}

TEST_F(MciCommand, StatusItemsComeFromTheTableOfContents) {
  EXPECT_EQ(Status(MCI_STATUS_MEDIA_PRESENT), 1u);
  EXPECT_EQ(Status(MCI_STATUS_NUMBER_OF_TRACKS), 3u);
  EXPECT_EQ(Status(MCI_STATUS_LENGTH, 2), Msf(4, 5));
  EXPECT_EQ(Status(MCI_STATUS_LENGTH), Msf(9, 35));
  EXPECT_EQ(Status(MCI_STATUS_MODE), MCI_MODE_STOP);
  EXPECT_EQ(Status(MCI_STATUS_CURRENT_TRACK), 1u);
  std::uint32_t answer = 0;
  EXPECT_EQ(Status(MCI_STATUS_LENGTH, answer, 4), MCIERR_OUTOFRANGE);

  drive.RemoveDisc();
  EXPECT_EQ(Status(MCI_STATUS_MEDIA_PRESENT), 0u);
  EXPECT_EQ(Status(MCI_STATUS_MODE), MCI_MODE_NOT_READY);
  EXPECT_EQ(Status(MCI_STATUS_NUMBER_OF_TRACKS, answer), MCIERR_DEVICE_NOT_READY);
  drive.trayOpen = true;
  EXPECT_EQ(Status(MCI_STATUS_MODE), MCI_MODE_OPEN);
}

TEST_F(MciCommand, PlayMapsTrackPositionsOntoFrames) {
  const int leadOut = drive.TrackStart(4);
  const struct {
    std::uint32_t flags, from, to;
    std::string played;
  } cases[] = {
      {MCI_FROM, Tmsf(2), 0, Span(drive.TrackStart(2), leadOut)},
      {MCI_FROM | MCI_NOTIFY, Tmsf(2, 1, 10, 5), 0, Span(drive.TrackStart(2) + 70 * 75 + 5, leadOut)},
      {MCI_FROM | MCI_TO, Tmsf(1), Tmsf(3), Span(drive.TrackStart(1), drive.TrackStart(3))},
      // The track after the last one ends play at the lead-out.
      {MCI_FROM | MCI_TO, Tmsf(2), Tmsf(4), Span(drive.TrackStart(2), leadOut)},
  };
  for (const auto& c : cases) {
    drive.log.clear();
    EXPECT_EQ(Play(c.flags, c.from, c.to), 0u) << c.played;
    EXPECT_EQ(drive.log, std::vector<std::string>{c.played});
  }
  EXPECT_EQ(Status(MCI_STATUS_MODE), MCI_MODE_PLAY);
  drive.Advance(4 * 60 + 10);
  EXPECT_EQ(Status(MCI_STATUS_CURRENT_TRACK), 3u);

  drive.log.clear();
  const std::pair<std::uint32_t, std::uint32_t> refused[] = {
      {Tmsf(0), 0}, {Tmsf(4), 0}, {Tmsf(3), Tmsf(2)}, {Tmsf(1), Tmsf(5)}, {Tmsf(1), Tmsf(4, 0, 1)}};
  for (const auto& [from, to] : refused)
    EXPECT_EQ(Play(MCI_FROM | (to != 0 ? MCI_TO : 0), from, to), MCIERR_OUTOFRANGE) << from << " " << to;
  EXPECT_EQ(Play(MCI_FROM | MCI_WAIT, Tmsf(1)), MCIERR_UNSUPPORTED_FUNCTION);
  EXPECT_TRUE(drive.log.empty());

  drive.failing = {"play"};
  EXPECT_EQ(Play(MCI_FROM, Tmsf(1)), MCIERR_HARDWARE);
}

TEST_F(MciCommand, MsfPlayStopAndDoor) {
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_MSF;
  ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, &set), 0u);
  EXPECT_EQ(Play(MCI_FROM | MCI_TO, Msf(0, 2), Msf(1, 2)), 0u);
  // Without a start, play goes on from where it stands.
  drive.Advance(10);
  EXPECT_EQ(Play(0, 0), 0u);
  EXPECT_EQ(mciSendCommandA(id, MCI_STOP, MCI_WAIT, nullptr), 0u);
  EXPECT_EQ(Status(MCI_STATUS_MODE), MCI_MODE_STOP);
  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_OPEN, &set), 0u);
  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_CLOSED | MCI_WAIT, &set), 0u);
  EXPECT_EQ(drive.log,
            (std::vector<std::string>{Span(150, 4650), Span(900, drive.TrackStart(4)), "stop", "eject", "close"}));

  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED, &set), MCIERR_FLAGS_NOT_COMPATIBLE);
  set.dwTimeFormat = 99;
  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, &set), MCIERR_BAD_TIME_FORMAT);
  drive.failing = {"stop"};
  EXPECT_EQ(mciSendCommandA(id, MCI_STOP, MCI_WAIT, nullptr), MCIERR_HARDWARE);
}

}  // namespace
