#include "platform/drives/FolderNameCache.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/system/CaseFold.h"
#include "platform/system/UniqueFd.h"

namespace platform {

namespace {

// Bounds on what is kept: a few folders, and names enough for a folder of
// 200,000 entries (some 25 MB at most).
constexpr std::size_t kMaxFolders = 4;
constexpr std::size_t kMaxNames = 200000;

// What the kernel tells about a watched folder. A change to the folder's own
// attributes sends nothing and shows only in its change time, which then
// makes the folder be read again.
constexpr std::uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

// File systems whose folders change only through this kernel, so that its
// change notices tell every change. Network and user-space file systems
// (NFS, SMB, FUSE) and overlays (whose lower layers change unseen) are read
// every time.
bool ChangesOnlyHere(int fd) {
  struct statfs fs {};
  if (::fstatfs(fd, &fs) != 0) return false;
  switch (static_cast<std::uint32_t>(fs.f_type)) {
    case 0xEF53u:      // ext2, ext3, ext4
    case 0x58465342u:  // xfs
    case 0x9123683Eu:  // btrfs
    case 0x01021994u:  // tmpfs
    case 0x858458F6u:  // ramfs
    case 0xF2F52010u:  // f2fs
    case 0xCA451A4Eu:  // bcachefs
    case 0x2FC12FC1u:  // zfs
    case 0x3153464Au:  // jfs
    case 0x4D44u:      // vfat, msdos
    case 0x2011BAB0u:  // exfat
    case 0x7366746Eu:  // ntfs3
    case 0x482Bu:      // hfsplus
      return true;
    default: return false;
  }
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Listable(std::string_view name) {
  return name != "." && name != ".." && name.find('\\') == std::string_view::npos;
}

struct Folder {
  dev_t dev = 0;
  ino_t ino = 0;
  int watch = -1;
  // The folder's times when its names were last known to be current.
  struct timespec mtime {};
  struct timespec ctime {};
  // Notices were applied since; the times then are new, not foreign.
  bool noticed = false;
  std::uint64_t used = 0;
  // Folded name -> entry; case twins share a key.
  std::unordered_multimap<std::string, std::string> names;

  void Add(std::string folded, std::string_view entry) {
    const auto range = names.equal_range(folded);
    for (auto it = range.first; it != range.second; ++it)
      if (it->second == entry) return;
    names.emplace(std::move(folded), std::string(entry));
  }
  void Remove(const std::string& folded, std::string_view entry) {
    const auto range = names.equal_range(folded);
    for (auto it = range.first; it != range.second; ++it)
      if (it->second == entry) {
        names.erase(it);
        return;
      }
  }
  // Case twins ("Readme", "README") are told apart by byte order, so the
  // same one is chosen whatever order the folder lists them in.
  std::optional<std::string> Find(const std::string& folded) const {
    const auto range = names.equal_range(folded);
    const std::string* best = nullptr;
    for (auto it = range.first; it != range.second; ++it)
      if (!best || it->second < *best) best = &it->second;
    return best ? std::optional<std::string>(*best) : std::nullopt;
  }
};

// A child made by fork shares the parent's notice queue: reading it there
// would take the parent's notices, so the child reads folders every time.
std::atomic<bool> forked{false};

class Cache {
 public:
  // `fd`, when not -1, is the folder open already: it is looked at in place
  // of what the path names.
  std::optional<std::string> Find(int fd, const std::string& path, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    FoldCaseInto(name, wanted_);
    if (Usable()) {
      Drain();
      struct stat st {};
      if ((fd >= 0 ? ::fstat(fd, &st) : ::stat(path.c_str(), &st)) != 0) return std::nullopt;
      if (Folder* folder = Kept(st)) {
        if (folder->noticed || (SameTime(folder->mtime, st.st_mtim) && SameTime(folder->ctime, st.st_ctim))) {
          // Notices explain the new times; later ones are still queued.
          folder->mtime = st.st_mtim;
          folder->ctime = st.st_ctim;
          folder->noticed = false;
          folder->used = ++clock_;
          return folder->Find(wanted_);
        }
        // Changed without a notice: read it again.
        Drop(*folder, true);
      }
    }
    return Scan(fd, path);
  }

  bool Holds(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Usable()) return false;
    Drain();
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && Kept(st) != nullptr;
  }

 private:
  bool Usable() {
    if (forked.load()) return false;
    if (!notices_.Valid() && !failed_) {
      notices_ = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
      failed_ = !notices_.Valid();
      if (!failed_) {
        static const int registered = ::pthread_atfork(nullptr, nullptr, [] { forked.store(true); });
        static_cast<void>(registered);
      }
    }
    return notices_.Valid();
  }

  Folder* Kept(const struct stat& st) {
    for (const auto& folder : folders_)
      if (folder->dev == st.st_dev && folder->ino == st.st_ino) return folder.get();
    return nullptr;
  }

  Folder* Watched(int watch) {
    for (const auto& folder : folders_)
      if (folder->watch == watch) return folder.get();
    return nullptr;
  }

  std::size_t KeptNames() const {
    std::size_t n = 0;
    for (const auto& folder : folders_) n += folder->names.size();
    return n;
  }

  void Drop(Folder& folder, bool unwatch) {
    if (unwatch) ::inotify_rm_watch(notices_.Get(), folder.watch);
    for (auto it = folders_.begin(); it != folders_.end(); ++it)
      if (it->get() == &folder) {
        folders_.erase(it);
        return;
      }
  }

  void DropAll() {
    while (!folders_.empty()) Drop(*folders_.back(), true);
  }

  // Applies every queued notice to the kept names. A read hands over every
  // queued notice that fits, so one that leaves room for the largest notice
  // emptied the queue: no second read is needed to be told so.
  void Drain() {
    alignas(struct inotify_event) char buffer[64 * 1024];
    constexpr ssize_t kLargest = sizeof(struct inotify_event) + NAME_MAX + 1;
    for (;;) {
      const ssize_t n = ::read(notices_.Get(), buffer, sizeof buffer);
      if (n <= 0) {
        if (n < 0 && errno == EINTR) continue;
        // Anything but an empty queue: nothing kept can be trusted.
        if (n == 0 || errno != EAGAIN) DropAll();
        return;
      }
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(struct inotify_event) + event->len);
        Apply(*event);
      }
      if (n <= static_cast<ssize_t>(sizeof buffer) - kLargest) return;
    }
  }

  void Apply(const struct inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
      DropAll();
      return;
    }
    Folder* folder = Watched(event.wd);
    if (!folder) return;
    if (event.mask & IN_IGNORED) {
      // The folder is gone, or its file system was unmounted.
      Drop(*folder, false);
      return;
    }
    folder->noticed = true;
    if (event.len == 0) return;
    const std::string_view entry(event.name, ::strnlen(event.name, event.len));
    if (!Listable(entry)) return;
    FoldCaseInto(entry, folded_);
    if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
      folder->Add(folded_, entry);
      if (KeptNames() > kMaxNames) Drop(*folder, true);
    } else if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
      folder->Remove(folded_, entry);
    }
  }

  // Makes room for a new folder; false when there is no watch to be had.
  std::unique_ptr<Folder> Watch(int fd) {
    if (!ChangesOnlyHere(fd)) return nullptr;
    while (folders_.size() >= kMaxFolders) {
      Folder* oldest = folders_.front().get();
      for (const auto& folder : folders_)
        if (folder->used < oldest->used) oldest = folder.get();
      Drop(*oldest, true);
    }
    // Through the descriptor, so the watch is on the folder just opened
    // whatever its path names by now.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const int watch = ::inotify_add_watch(notices_.Get(), self.c_str(), kWatchMask);
    if (watch < 0) return nullptr;
    auto folder = std::make_unique<Folder>();
    folder->watch = watch;
    return folder;
  }

  // Reads the folder for the wanted name, keeping its names where it can.
  std::optional<std::string> Scan(int open, const std::string& path) {
    UniqueFd fd(open >= 0 ? ::openat(open, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                          : ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid()) return std::nullopt;
    // Watched before its times are taken and before it is read: whatever
    // changes from here on also sends a notice.
    std::unique_ptr<Folder> folder = notices_.Valid() && !forked.load() ? Watch(fd.Get()) : nullptr;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
      if (folder) ::inotify_rm_watch(notices_.Get(), folder->watch);
      return std::nullopt;
    }
    // The path named another folder when it was looked at; should that be
    // one already kept, its watch is this one too and stays its.
    if (folder && (Kept(st) || Watched(folder->watch))) folder.reset();
    DIR* dir = ::fdopendir(fd.Get());
    if (!dir) {
      if (folder) ::inotify_rm_watch(notices_.Get(), folder->watch);
      return std::nullopt;
    }
    fd.Release();
    const std::size_t room = kMaxNames - std::min(kMaxNames, KeptNames());
    std::optional<std::string> best;
    while (dirent* entry = ::readdir(dir)) {
      const std::string_view candidate = entry->d_name;
      if (!Listable(candidate)) continue;
      FoldCaseInto(candidate, folded_);
      if (folded_ == wanted_ && (!best || candidate < *best)) best = std::string(candidate);
      if (!folder) continue;
      if (folder->names.size() >= room) {
        // Too large to keep: this look-up reads it, and so will the next.
        ::inotify_rm_watch(notices_.Get(), folder->watch);
        folder.reset();
        continue;
      }
      folder->Add(folded_, candidate);
    }
    ::closedir(dir);
    if (folder) {
      folder->dev = st.st_dev;
      folder->ino = st.st_ino;
      folder->mtime = st.st_mtim;
      folder->ctime = st.st_ctim;
      folder->used = ++clock_;
      folders_.push_back(std::move(folder));
    }
    return best;
  }

  std::mutex mutex_;
  UniqueFd notices_;
  bool failed_ = false;
  std::vector<std::unique_ptr<Folder>> folders_;
  std::uint64_t clock_ = 0;
  std::string wanted_;
  std::string folded_;
};

Cache& TheCache() {
  static Cache* cache = new Cache;  // never destroyed: look-ups may run late in exit
  return *cache;
}

}  // namespace

std::optional<std::string> FindNameIgnoringCase(const std::string& folder, const std::string& name) {
  return TheCache().Find(-1, folder, name);
}

std::optional<std::string> FindNameIgnoringCaseIn(int folder, const std::string& name) {
  return TheCache().Find(folder, std::string(), name);
}

bool FolderNamesKept(const std::string& folder) { return TheCache().Holds(folder); }

}  // namespace platform
