#include "platform/multimedia/CdromDevice.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

#include "platform/system/UniqueFd.h"

namespace platform {

namespace {

// Logical block addresses count from 00:02:00, absolute frames from 00:00:00.
constexpr int kLbaOffset = 150;

void ToMsf(int frame, unsigned char& minute, unsigned char& second, unsigned char& rest) {
  minute = static_cast<unsigned char>(frame / (60 * 75));
  second = static_cast<unsigned char>(frame / 75 % 60);
  rest = static_cast<unsigned char>(frame % 75);
}

class CdromDevice : public CdDrive {
 public:
  explicit CdromDevice(UniqueFd fd) : fd_(std::move(fd)) {}

  CdDriveStatus Status() override {
    switch (::ioctl(fd_.Get(), CDROM_DRIVE_STATUS, CDSL_CURRENT)) {
      case CDS_NO_DISC: return CdDriveStatus::NoDisc;
      case CDS_TRAY_OPEN: return CdDriveStatus::TrayOpen;
      case CDS_DRIVE_NOT_READY: return CdDriveStatus::NotReady;
      case CDS_DISC_OK: return CdDriveStatus::DiscOk;
      default: return CdDriveStatus::NoInfo;
    }
  }

  bool ReadTocHeader(int& firstTrack, int& lastTrack) override {
    cdrom_tochdr header{};
    if (::ioctl(fd_.Get(), CDROMREADTOCHDR, &header) != 0) return false;
    firstTrack = header.cdth_trk0;
    lastTrack = header.cdth_trk1;
    lastTrack_ = lastTrack;
    return true;
  }

  bool ReadTrackStart(int track, int& frame) override {
    cdrom_tocentry entry{};
    entry.cdte_track = static_cast<unsigned char>(track > lastTrack_ ? CDROM_LEADOUT : track);
    entry.cdte_format = CDROM_LBA;
    if (::ioctl(fd_.Get(), CDROMREADTOCENTRY, &entry) != 0) return false;
    frame = entry.cdte_addr.lba + kLbaOffset;
    return true;
  }

  bool Play(int start, int end) override {
    cdrom_msf range{};
    ToMsf(start, range.cdmsf_min0, range.cdmsf_sec0, range.cdmsf_frame0);
    ToMsf(end, range.cdmsf_min1, range.cdmsf_sec1, range.cdmsf_frame1);
    return ::ioctl(fd_.Get(), CDROMPLAYMSF, &range) == 0;
  }

  bool Stop() override { return ::ioctl(fd_.Get(), CDROMSTOP) == 0; }
  bool Eject() override { return ::ioctl(fd_.Get(), CDROMEJECT) == 0; }
  bool CloseTray() override { return ::ioctl(fd_.Get(), CDROMCLOSETRAY) == 0; }

  bool ReadSubChannel(CdSubChannel& position) override {
    cdrom_subchnl channel{};
    channel.cdsc_format = CDROM_LBA;
    if (::ioctl(fd_.Get(), CDROMSUBCHNL, &channel) != 0) return false;
    switch (channel.cdsc_audiostatus) {
      case CDROM_AUDIO_PLAY: position.Audio = CdAudioStatus::Playing; break;
      case CDROM_AUDIO_PAUSED: position.Audio = CdAudioStatus::Paused; break;
      case CDROM_AUDIO_COMPLETED: position.Audio = CdAudioStatus::Completed; break;
      case CDROM_AUDIO_ERROR: position.Audio = CdAudioStatus::Error; break;
      default: position.Audio = CdAudioStatus::NoStatus; break;
    }
    position.Track = channel.cdsc_trk;
    position.Frame = channel.cdsc_absaddr.lba + kLbaOffset;
    return true;
  }

 private:
  UniqueFd fd_;
  // The last track of the header read last: the track after it is the lead-out.
  int lastTrack_ = 99;
};

}  // namespace

std::string DefaultCdromPath() {
  std::error_code error;
  if (std::filesystem::exists("/dev/cdrom", error)) return "/dev/cdrom";
  // Otherwise the SCSI CD-ROM with the lowest number (sr0 before sr10).
  int best = INT_MAX;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 3 || name.compare(0, 2, "sr") != 0) continue;
    if (name.find_first_not_of("0123456789", 2) != std::string::npos || name.size() > 6) continue;
    best = std::min(best, std::stoi(name.substr(2)));
  }
  return best == INT_MAX ? std::string() : "/dev/sr" + std::to_string(best);
}

std::unique_ptr<CdDrive> OpenCdromDevice(const std::string& path) {
  if (path.empty()) return nullptr;
  // O_NONBLOCK opens the drive with its tray open or no disc in it.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.Valid()) return nullptr;
  return std::make_unique<CdromDevice>(std::move(fd));
}

}  // namespace platform
