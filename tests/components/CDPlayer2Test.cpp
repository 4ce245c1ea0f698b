#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/CDPlayer2.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/core/Timer.h"
#include "tests/support/FakeCdDrive.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

using testing_support::FakeCdDrive;

class CDPlayer2 : public ::testing::Test {
 protected:
  CDPlayer2() : owner(nullptr), clock(new TTimer(nullptr)), player(std::make_unique<TCDPlayer2>(&owner)) {
    player->SetClock(clock.get());
  }
  ~CDPlayer2() override { player.reset(); }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) clock->OnTimer(clock.get());
  }
  std::string Time() const {
    return std::to_string(player->CurTrack) + " " + std::to_string(player->CurMin) + ":" +
           std::to_string(player->CurSec);
  }
  std::string PlayFrom(int track, int seconds = 0) const {
    return "play " + std::to_string(drive.TrackStart(track) + seconds * 75) + "-" +
           std::to_string(drive.TrackStart(trackCount + 1));
  }
  void Insert(int count) {
    drive.InsertDisc(count);
    trackCount = count;
  }

  FakeCdDrive drive;
  testing_support::ScriptedMessageBoxes boxes;
  TPanel owner;
  std::unique_ptr<TTimer> clock;
  std::unique_ptr<TCDPlayer2> player;
  int trackCount = 0;
};

TEST_F(CDPlayer2, InitWithoutADiscOpensAndReadsTheDiscOnceOneIsIn) {
  EXPECT_EQ(player->NotifyHandle, &owner);
  EXPECT_FALSE(clock->Enabled());
  player->Init();
  EXPECT_TRUE(player->Opened);
  EXPECT_NE(player->DeviceID, 0u);
  EXPECT_FALSE(clock->Enabled());
  EXPECT_EQ(player->TrackTimes[1].Min, 0);

  drive.InsertDisc({{3, 30}, {4, 5}});
  player->CurMin = 7;
  player->Init();
  EXPECT_EQ(drive.opens, 1);
  EXPECT_EQ(player->TrackTimes[1].Min, 3);
  EXPECT_EQ(player->TrackTimes[1].Sec, 30);
  EXPECT_EQ(player->TrackTimes[2].Min, 4);
  EXPECT_EQ(player->TrackTimes[2].Sec, 5);
  EXPECT_TRUE(clock->Enabled());
  EXPECT_EQ(player->CurMin, 0);
  EXPECT_EQ(clock->Interval(), 1000);

  player->CloseCD();
  EXPECT_FALSE(player->Opened);
  EXPECT_FALSE(clock->Enabled());
  EXPECT_EQ(drive.held, 0);
}

TEST_F(CDPlayer2, TrackTimesHoldTracksOneToThirtyAndKeepWhatALongerDiscLeft) {
  std::vector<std::pair<int, int>> tracks;
  for (int track = 1; track <= 40; ++track) tracks.push_back({1, track});
  drive.InsertDisc(tracks);
  player->Init();
  EXPECT_EQ(player->TrackTimes[0].Sec, 0);
  EXPECT_EQ(player->TrackTimes[30].Min, 1);
  EXPECT_EQ(player->TrackTimes[30].Sec, 30);

  drive.InsertDisc({{2, 0}, {2, 0}});
  player->Init();
  EXPECT_EQ(player->TrackTimes[2].Min, 2);
  EXPECT_EQ(player->TrackTimes[3].Sec, 3);
}

TEST_F(CDPlayer2, TheClockCountsIntoTheNextTrackOnceATrackIsOver) {
  const struct {
    std::pair<int, int> first;
    int ticks;
    std::string before, after;
  } cases[] = {
      {{3, 30}, 210, "1 3:30", "2 0:1"},
      // A track ending at :59 ends by the clock too.
      {{2, 59}, 179, "1 2:59", "2 0:1"},
  };
  for (const auto& c : cases) {
    drive.InsertDisc({c.first, {4, 0}});
    player->Play();
    Tick(c.ticks);
    EXPECT_EQ(Time(), c.before);
    Tick();
    EXPECT_EQ(Time(), c.after);
    player->CloseCD();
  }
}

TEST_F(CDPlayer2, TheClockShowsTheWholeDiscWhenStoppedAndCountsOnPastTheTable) {
  std::vector<std::pair<int, int>> tracks(11, {4, 0});
  tracks.push_back({1, 20});
  drive.InsertDisc(tracks);
  player->Init();
  Tick();
  EXPECT_EQ(Time(), "12 45:20");

  // A track past the table has no length: the clock counts on.
  Insert(40);
  player->Play(35);
  Tick(61 * 4);
  EXPECT_EQ(Time(), "35 4:4");
}

TEST_F(CDPlayer2, PlayStartsTracksAndRanges) {
  Insert(12);
  player->Play();
  EXPECT_EQ(player->CurTrack, 1);
  player->Play(5);
  Tick(20);
  player->Play();
  EXPECT_EQ(Time(), "5 0:0");
  player->Play(3, 5);
  EXPECT_EQ(player->CurTrack, 3);
  // The range of the disc's last track ends at the lead-out.
  player->Play(11, 12);
  EXPECT_EQ(drive.log, (std::vector<std::string>{
                           PlayFrom(1), PlayFrom(5), PlayFrom(5),
                           "play " + std::to_string(drive.TrackStart(3)) + "-" + std::to_string(drive.TrackStart(6)),
                           PlayFrom(11)}));
  EXPECT_TRUE(boxes.Shown().empty());

  drive.RemoveDisc();
  drive.log.clear();
  player->Play(2);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please insert CD"});
  EXPECT_TRUE(drive.log.empty());
}

TEST_F(CDPlayer2, NextAndPreviousWrapAround) {
  Insert(12);
  const struct {
    int track;
    bool next;
    int played;
  } cases[] = {{12, true, 1}, {1, false, 12}, {5, true, 6}, {5, false, 4}};
  for (const auto& c : cases) {
    player->Play(c.track);
    drive.log.clear();
    c.next ? player->SeekNext() : player->SeekPrev();
    EXPECT_EQ(drive.log, std::vector<std::string>{PlayFrom(c.played)}) << c.track << (c.next ? " next" : " prev");
    EXPECT_EQ(player->CurTrack, c.played);
  }
  // While playing, the device's track counts; stopped, the player's.
  player->Play(5);
  drive.Advance(3 * 60 + 1);
  player->SeekNext();
  EXPECT_EQ(player->CurTrack, 7);
  player->CurTrack = 9;
  player->Stop();
  player->SeekPrev();
  EXPECT_EQ(player->CurTrack, 8);
}

TEST_F(CDPlayer2, PauseStopsAndResumesFromTheClock) {
  Insert(6);
  player->Play(4);
  Tick(133);
  drive.log.clear();
  player->Pause();
  EXPECT_EQ(player->PlayMode, cdPaused);
  EXPECT_FALSE(clock->Enabled());
  player->Pause();
  EXPECT_TRUE(clock->Enabled());
  EXPECT_EQ(Time(), "4 2:13");
  EXPECT_EQ(drive.log, (std::vector<std::string>{"stop", PlayFrom(4, 133)}));

  // The mode stays paused until it is asked again, as the clock's tick does.
  // Asking it after a pause finds the device stopped; the next pause does nothing.
  Tick();
  EXPECT_EQ(player->PlayMode, cdPlaying);
  player->Pause();
  EXPECT_EQ(player->ShowMode(false), "Stoped");
  drive.log.clear();
  player->Pause();
  EXPECT_TRUE(drive.log.empty());

  // Without a clock, a second pause plays the disc from its start.
  player->SetClock(nullptr);
  drive.log.clear();
  player->Play(2);
  player->Pause();
  player->Pause();
  EXPECT_EQ(drive.log, (std::vector<std::string>{PlayFrom(2), "stop", PlayFrom(1)}));
}

TEST_F(CDPlayer2, EjectAndInjectToggleTheDoor) {
  Insert(3);
  player->Play(2);
  const std::string played = PlayFrom(2);
  player->Inject();
  EXPECT_TRUE(drive.trayOpen);
  Insert(5);
  player->Eject();
  EXPECT_FALSE(drive.trayOpen);
  EXPECT_EQ(player->TrackTimes[5].Min, 3);
  player->Eject();
  EXPECT_EQ(drive.log, (std::vector<std::string>{played, "stop", "eject", "close", "eject"}));
}

TEST_F(CDPlayer2, ShowModeNamesTheDeviceMode) {
  player->Init();
  const struct {
    std::function<void()> set;
    const char* text;
  } cases[] = {
      {[&] { drive.RemoveDisc(); }, "Not Ready"},
      {[&] { drive.trayOpen = true; }, "Open"},
      {[&] { Insert(2), drive.trayOpen = false; }, "Stoped"},
      {[&] { player->Play(1); }, "Playing"},
      {[&] { drive.audio = platform::CdAudioStatus::Paused; }, "Paused"},
  };
  for (const auto& c : cases) {
    c.set();
    EXPECT_EQ(player->ShowMode(false), c.text);
  }
  EXPECT_TRUE(boxes.Shown().empty());
  EXPECT_EQ(player->ShowMode(true), "Paused");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Paused"});
}

TEST_F(CDPlayer2, AFailedRequestClosesTheDeviceAndNamesItsOperation) {
  const struct {
    const char* failing;
    std::function<void()> request;
    const char* name;
  } cases[] = {
      {"play", [&] { player->Play(1); }, "Play"},
      {"stop", [&] { player->Stop(); }, "Stop"},
      {"eject", [&] { player->Eject(); }, "Eject"},
      {"close", [&] { drive.trayOpen = true, player->Eject(); }, "Inject"},
      {"toc", [&] { player->GetNumTracks(); }, "GetNumTracks"},
      {"entry", [&] { player->GetStartTimes(); }, "GetStartTimes"},
      {"entry", [&] { player->GetTotalLength(); }, "GetTotalLength"},
      {"toc", [&] { player->GetCurrentTrack(); }, "GetCurrentTrack"},
  };
  for (const auto& c : cases) {
    Insert(4);
    player->Init();
    drive.failing = {c.failing};
    try {
      c.request();
      ADD_FAILURE() << c.name << " raised nothing";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), std::string("TCDPlayer2: ") + c.name);
    }
    EXPECT_FALSE(player->Opened) << c.name;
    EXPECT_FALSE(clock->Enabled()) << c.name;
    EXPECT_EQ(drive.held, 0) << c.name;
    drive.failing.clear();
    drive.trayOpen = false;
  }
}

TEST_F(CDPlayer2, ErrorsWithoutADeviceAndWhenTheStopOnExitFailsToo) {
  // Before the device is opened, the mode request goes to no device.
  EXPECT_THROW(
      try { player->SeekNext(); } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "TCDPlayer2: GetMode");
        throw;
      },
      Exception);
  drive.installed = false;
  EXPECT_THROW(
      try { player->Play(); } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "TCDPlayer2: IsCDPresent");
        throw;
      },
      Exception);
  EXPECT_FALSE(player->Opened);

  // One exception, naming the request that failed first.
  drive.installed = true;
  Insert(4);
  player->StopOnExit = true;
  player->Init();
  drive.failing = {"entry", "stop"};
  EXPECT_THROW(
      try { player->GetTotalLength(); } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "TCDPlayer2: GetTotalLength");
        throw;
      },
      Exception);
  EXPECT_EQ(drive.log, std::vector<std::string>{"stop"});
  EXPECT_EQ(drive.held, 0);

  // A host's close raises the failed stop; the destructor drops it.
  drive.failing = {"stop"};
  player->Init();
  EXPECT_THROW(player->CloseCD(), Exception);
  EXPECT_EQ(drive.held, 0);
  player->Init();
  EXPECT_NO_THROW(player.reset());
  EXPECT_EQ(drive.held, 0);
}

TEST_F(CDPlayer2, APlayerForgetsAClockThatWent) {
  Insert(2);
  player->Init();
  clock.reset();
  EXPECT_EQ(player->Clock1(), nullptr);
  player->Play(1);
  player->CloseCD();
  // A clock the player drove ticks harmlessly after the player went.
  clock.reset(new TTimer(nullptr));
  player->SetClock(clock.get());
  player->CloseCD();
  player->Init();
  player.reset();
  EXPECT_NO_THROW(clock->OnTimer(clock.get()));
}

}  // namespace
