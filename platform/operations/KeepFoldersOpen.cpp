#include "platform/operations/KeepFoldersOpen.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string_view>

namespace platform {

namespace {

// A paste names two folders; a few more cover a tree pasted next to files.
constexpr std::size_t kMaxKept = 8;

// What changes where a folder lies: an entry of one of the folders above it
// that is removed, moved away or moved over. Anything said of a watched
// folder itself (it moved, went, or its file system went) counts too.
constexpr std::uint32_t kAncestorMask =
    IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MOVE_SELF | IN_DELETE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

std::atomic<bool> noticesAllowed{true};
// A child made by fork shares the parent's notice queue: reading it there
// would take the parent's notices, so the child checks every use instead.
std::atomic<bool> forked{false};

struct Entry {
  std::shared_ptr<const OpenFolder> folder;
  // Its path and every folder above it are watched: no notice, no change.
  bool watched = false;
};

struct Kept {
  std::mutex mutex;
  int scopes = 0;
  std::map<std::string, Entry> folders;
  // The notice queue of this paste, and for each folder watched in it the
  // names of its entries that lead to a kept folder.
  UniqueFd notices;
  bool noticesFailed = false;
  std::map<int, std::set<std::string, std::less<>>> watchedNames;

  // Lets go of every kept folder and its watches; where the queue could
  // not be had, it is not tried again in this paste.
  void Forget() {
    folders.clear();
    watchedNames.clear();
    notices.Reset();
  }
};

Kept& State() {
  static Kept kept;
  return kept;
}

std::string_view Trimmed(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

// The kernel's path for the descriptor: where the folder lies now.
bool LiesAt(const OpenFolder& folder, std::string_view real) {
  const std::string self = "/proc/self/fd/" + std::to_string(folder.fd.Get());
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(self.c_str(), buffer, sizeof buffer);
  return n > 0 && n < static_cast<ssize_t>(sizeof buffer) &&
         real == std::string_view(buffer, static_cast<std::size_t>(n));
}

// Whether the path names the kept folder now, and the folder has not moved.
// When the kernel's path for the descriptor is the very path asked for (no
// links on the way), walking the path leads to this folder and to no other,
// so that one call tells both. A path through links is looked up as well.
bool StillThere(const std::string& host, const OpenFolder& folder) {
  if (!LiesAt(folder, folder.real)) return false;
  if (Trimmed(host) == folder.real) return true;
  struct stat named {};
  return ::stat(host.c_str(), &named) == 0 && S_ISDIR(named.st_mode) && named.st_dev == folder.dev &&
         named.st_ino == folder.ino;
}

// Reads every queued notice; false when one of them may concern a kept
// folder (or the queue cannot be trusted), and then nothing kept may be
// taken any more.
bool NothingMoved(Kept& kept) {
  alignas(struct inotify_event) char buffer[16 * 1024];
  for (;;) {
    const ssize_t n = ::read(kept.notices.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) return true;
    if (n <= 0) return false;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(struct inotify_event) + event->len);
      if (event->mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_UNMOUNT | IN_MOVE_SELF | IN_DELETE_SELF)) return false;
      const auto names = kept.watchedNames.find(event->wd);
      if (names == kept.watchedNames.end() || event->len == 0) continue;
      if (names->second.count(std::string_view(event->name, ::strnlen(event->name, event->len)))) return false;
    }
  }
}

// Watches every folder above a folder that lies at `real`, each for changes
// to the one entry on the way down. The folder must still lie there once
// the watches are set: what moves after that sends a notice.
bool Watch(Kept& kept, const OpenFolder& folder, std::string_view real) {
  if (forked.load() || !noticesAllowed.load() || kept.noticesFailed || real.empty() || real[0] != '/') return false;
  if (!kept.notices.Valid()) {
    kept.notices.Reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!kept.notices.Valid()) {
      kept.noticesFailed = true;
      return false;
    }
    static const int registered = ::pthread_atfork(nullptr, nullptr, [] { forked.store(true); });
    static_cast<void>(registered);
  }
  std::size_t end = 0;
  while (end + 1 < real.size()) {
    const std::size_t next = real.find('/', end + 1);
    const std::string above(end == 0 ? std::string_view("/") : real.substr(0, end));
    const std::string_view name = real.substr(end + 1, (next == std::string_view::npos ? real.size() : next) - end - 1);
    const int watch = ::inotify_add_watch(kept.notices.Get(), above.c_str(), kAncestorMask);
    if (watch < 0) return false;
    kept.watchedNames[watch].emplace(name);
    if (next == std::string_view::npos) break;
    end = next;
  }
  return LiesAt(folder, real);
}

}  // namespace

KeepFoldersOpen::KeepFoldersOpen() {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  ++kept.scopes;
}

KeepFoldersOpen::~KeepFoldersOpen() {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (--kept.scopes > 0) return;
  kept.Forget();
  kept.noticesFailed = false;
}

void KeepFoldersOpen::UseChangeNotices(bool use) { noticesAllowed.store(use); }

std::shared_ptr<const OpenFolder> KeptFolder(const std::string& host) {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (kept.scopes == 0) return nullptr;
  const auto it = kept.folders.find(host);
  if (it == kept.folders.end()) return nullptr;
  if (it->second.watched && !forked.load()) {
    if (NothingMoved(kept)) return it->second.folder;
    // Which folder moved is not told apart: every one is opened afresh.
    kept.Forget();
    return nullptr;
  }
  if (StillThere(host, *it->second.folder)) return it->second.folder;
  kept.folders.erase(it);
  return nullptr;
}

void KeepFolder(const std::string& host, std::shared_ptr<const OpenFolder> folder) {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (kept.scopes == 0) return;
  const auto it = kept.folders.find(host);
  if (it != kept.folders.end() && it->second.folder == folder) return;  // taken from here
  if (kept.folders.size() >= kMaxKept && kept.folders.count(host) == 0) kept.folders.erase(kept.folders.begin());
  // Only a path without links is watched: a path through links would need
  // the folders around each link watched as well.
  const bool watched = Trimmed(host) == folder->real && Watch(kept, *folder, folder->real);
  kept.folders[host] = Entry{std::move(folder), watched};
}

}  // namespace platform
