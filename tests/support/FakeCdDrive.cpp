#include "tests/support/FakeCdDrive.h"

#include <memory>

namespace testing_support {

using platform::CdAudioStatus;
using platform::CdDriveStatus;

class FakeCdDrive::Handle : public platform::CdDrive {
 public:
  explicit Handle(FakeCdDrive& fake) : fake_(fake) { ++fake_.held; }
  ~Handle() override { --fake_.held; }

  CdDriveStatus Status() override {
    if (Fails("status")) return CdDriveStatus::NoInfo;
    if (fake_.trayOpen) return CdDriveStatus::TrayOpen;
    return fake_.disc_ ? CdDriveStatus::DiscOk : CdDriveStatus::NoDisc;
  }
  bool ReadTocHeader(int& first, int& last) override {
    if (Fails("toc") || !HasDisc()) return false;
    first = 1;
    last = static_cast<int>(fake_.frames_.size());
    return true;
  }
  bool ReadTrackStart(int track, int& frame) override {
    if (Fails("entry") || !HasDisc() || track < 1 || track > static_cast<int>(fake_.frames_.size()) + 1) return false;
    frame = fake_.TrackStart(track);
    return true;
  }
  bool Play(int start, int end) override {
    fake_.log.push_back("play " + std::to_string(start) + "-" + std::to_string(end));
    if (Fails("play") || !HasDisc()) return false;
    fake_.audio = CdAudioStatus::Playing;
    fake_.position = start;
    fake_.playEnd = end;
    return true;
  }
  bool Stop() override {
    fake_.log.push_back("stop");
    if (Fails("stop")) return false;
    fake_.audio = CdAudioStatus::NoStatus;
    return true;
  }
  bool Eject() override {
    fake_.log.push_back("eject");
    if (Fails("eject")) return false;
    fake_.trayOpen = true;
    fake_.audio = CdAudioStatus::NoStatus;
    return true;
  }
  bool CloseTray() override {
    fake_.log.push_back("close");
    if (Fails("close")) return false;
    fake_.trayOpen = false;
    return true;
  }
  bool ReadSubChannel(platform::CdSubChannel& channel) override {
    if (Fails("subchannel") || !HasDisc()) return false;
    channel.Audio = fake_.audio;
    channel.Frame = fake_.position;
    channel.Track = 1;
    while (channel.Track < static_cast<int>(fake_.frames_.size()) &&
           fake_.TrackStart(channel.Track + 1) <= fake_.position)
      ++channel.Track;
    return true;
  }

 private:
  bool Fails(const char* operation) const { return fake_.failing.count(operation) != 0; }
  bool HasDisc() const { return fake_.disc_ && !fake_.trayOpen; }

  FakeCdDrive& fake_;
};

FakeCdDrive::FakeCdDrive() {
  previous_ = platform::SetCdDriveOpener([this]() -> std::unique_ptr<platform::CdDrive> {
    if (!installed) return nullptr;
    ++opens;
    return std::make_unique<Handle>(*this);
  });
}

FakeCdDrive::~FakeCdDrive() { platform::SetCdDriveOpener(previous_); }

void FakeCdDrive::InsertDisc(const std::vector<std::pair<int, int>>& tracks) {
  frames_.clear();
  for (const auto& [minutes, seconds] : tracks) frames_.push_back((minutes * 60 + seconds) * 75);
  disc_ = true;
  audio = CdAudioStatus::NoStatus;
}

void FakeCdDrive::InsertDisc(int count) {
  InsertDisc(std::vector<std::pair<int, int>>(static_cast<size_t>(count), {3, 0}));
}

int FakeCdDrive::TrackStart(int track) const {
  int frame = 150;
  for (int i = 1; i < track && i <= static_cast<int>(frames_.size()); ++i) frame += frames_[static_cast<size_t>(i - 1)];
  return frame;
}

void FakeCdDrive::Advance(int seconds) {
  if (audio != CdAudioStatus::Playing) return;
  position += seconds * 75;
  if (position >= playEnd) {
    position = playEnd;
    audio = CdAudioStatus::Completed;
  }
}

void UseNoOpticalDrive() {
  platform::SetCdDriveOpener([]() -> std::unique_ptr<platform::CdDrive> { return nullptr; });
}

}  // namespace testing_support
