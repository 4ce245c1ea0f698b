#include "platform/files/Find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ExactNames.h"
#include "platform/system/CaseFold.h"
#include "platform/system/LastError.h"

struct FindSearch {
  DIR* dir = nullptr;
  int fd = -1;
  std::string folder;   // host folder with a trailing slash
  std::string pattern;  // folded
  bool matchAll = false;
  bool single = false;  // a name without wild cards: one entry at most
  std::string singleName;
  bool singleDone = false;
  std::uint32_t filter = 0;
  bool namesOnly = false;    // FindExInfoNames
  bool foldersOnly = false;  // FindExSearchLimitToDirectories
  int dots = 2;              // "." and ".." still to give: 0 both, 1 "..", 2 none
  std::string path;          // reused for each entry's host path
  std::string folded;        // reused for each entry's folded name
  int* budget = nullptr;     // names the folder read may still give (FindNextWithin)
  bool paused = false;       // the budget ran out before an entry was found
  // Entries read from the folder ahead and filled together, given from
  // batchAt on; ok[n] is false for an entry that went meanwhile.
  std::vector<WIN32_FIND_DATAA> batch;
  std::vector<unsigned char> types;
  std::vector<char> ok;
  std::size_t batchAt = 0;
  std::size_t named = 0;  // entries of the folder read taken into batches
};

namespace {

constexpr std::uint32_t kFilteredBits =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_VOLUME | FILE_ATTRIBUTE_DIRECTORY;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool ExistsAsSpelled(int folder, const std::string& name) {
  struct stat st {};
  return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// The byte after the character at `i`: '?' stands for one character, which
// in UTF-8 may take several bytes.
std::size_t NextChar(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead >= 0xC0)
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  return i;
}

bool Matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n = NextChar(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      starN = NextChar(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool Excluded(const FindSearch& search, std::uint32_t attributes) {
  return (attributes & kFilteredBits & ~search.filter) != 0;
}

constexpr unsigned kStatusMask =
    STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME | STATX_NLINK;

// Fills `data`, all but its name, for one entry, whose type the folder read
// gave (DT_UNKNOWN where it gave none); false when the entry has gone
// meanwhile. `path` is a buffer that starts with the search's folder.
bool FillStatus(const FindSearch& search, std::string& path, const char* name, WIN32_FIND_DATAA& data,
                unsigned char type) {
  struct statx st {};
  bool link = type == DT_LNK;
  bool read = false;
  if (type == DT_UNKNOWN) {
    // Only the entry itself tells whether it is a link; for anything else
    // that answer is already the whole status.
    if (::statx(search.fd, name, AT_SYMLINK_NOFOLLOW, kStatusMask, &st) != 0) return false;
    link = S_ISLNK(st.stx_mode);
    read = !link;
  }
  bool dangling = false;
  if (!read && ::statx(search.fd, name, AT_STATX_SYNC_AS_STAT, kStatusMask, &st) != 0) {
    // A symbolic link whose target is missing is still an entry of the folder.
    if ((errno != ENOENT && errno != ELOOP) || ::statx(search.fd, name, AT_SYMLINK_NOFOLLOW, kStatusMask, &st) != 0)
      return false;
    dangling = true;
  }
  const bool folder = S_ISDIR(st.stx_mode);
  std::optional<std::uint32_t> stored;
  const bool dotEntry = std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
  if (!dangling && !dotEntry) {
    path.resize(search.folder.size());
    path += name;
    stored = platform::StoredAttributesAt(search.fd, name, path.c_str());
  }
  data.dwFileAttributes = platform::AttributesOf(name, folder, (st.stx_mode & S_IWUSR) != 0, stored);
  data.nFileSize = folder ? 0 : st.stx_size;
  data.ftLastAccessTime = platform::FileTimeFromUnix(st.stx_atime.tv_sec, st.stx_atime.tv_nsec);
  data.ftLastWriteTime = platform::FileTimeFromUnix(st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec);
  data.ftCreationTime = (st.stx_mask & STATX_BTIME)
                            ? platform::FileTimeFromUnix(st.stx_btime.tv_sec, st.stx_btime.tv_nsec)
                            : data.ftLastWriteTime;
  data.symbolicLink = link;
  data.linkCount = st.stx_nlink;
  return true;
}

bool Fill(FindSearch& search, const char* name, WIN32_FIND_DATAA& data, unsigned char type = DT_UNKNOWN) {
  if (!FillStatus(search, search.path, name, data, type)) return false;
  data.cFileName = name;
  return true;
}

// The first entries of a listing are filled one at a time as they are
// asked for, so a folder changed while it is listed shows the change at once.
// Past them the entries are read ahead in batches, which several threads
// fill: the status calls of a large folder wait on the kernel one after the
// other otherwise.
constexpr std::size_t kOneByOne = 1024;
constexpr std::size_t kBatch = 4096;
constexpr std::size_t kShared = 1024;

void FillRange(FindSearch& search, std::size_t from, std::size_t to) {
  std::string path = search.folder;
  for (std::size_t n = from; n < to; ++n)
    search.ok[n] = FillStatus(search, path, search.batch[n].cFileName.c_str(), search.batch[n], search.types[n]);
}

void FillBatch(FindSearch& search) {
  const std::size_t count = search.batch.size();
  search.ok.assign(count, 0);
  std::size_t workers = count >= kShared ? std::min<std::size_t>(4, std::thread::hardware_concurrency()) : 1;
  if (workers == 0) workers = 1;
  std::vector<std::thread> threads;
  const std::size_t share = (count + workers - 1) / workers;
  std::size_t from = share;
  try {
    for (; from < count && threads.size() + 1 < workers; from += share)
      threads.emplace_back(FillRange, std::ref(search), from, std::min(count, from + share));
  } catch (const std::system_error&) {
    // No thread to be had: this thread fills the rest.
  }
  FillRange(search, 0, std::min(count, share));
  for (auto& thread : threads) thread.join();
  if (from < count) FillRange(search, from, count);
}

// Fills `data` with what the folder read tells of an entry (FindExInfoNames);
// false when the entry has gone meanwhile.
bool FillKind(FindSearch& search, const char* name, WIN32_FIND_DATAA& data, unsigned char type) {
  if (type == DT_UNKNOWN) {
    struct statx st {};
    if (::statx(search.fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE, &st) != 0) return false;
    type = S_ISDIR(st.stx_mode) ? DT_DIR : (S_ISLNK(st.stx_mode) ? DT_LNK : DT_REG);
  }
  data.dwFileAttributes = platform::AttributesOf(name, type == DT_DIR, true, 0);
  data.nFileSize = 0;
  data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime = FILETIME{};
  data.cFileName = name;
  data.symbolicLink = type == DT_LNK;
  data.linkCount = 0;
  return true;
}

bool NameMatches(FindSearch& search, std::string_view name) {
  if (search.matchAll) return true;
  platform::FoldCaseInto(name, search.folded);
  return Matches(search.pattern, search.folded);
}

// Whether an entry of the folder read may be given, by what is known of it
// before the file system is asked anything more: what the filter rules out
// goes unexamined, folders by their entry type, dot names as hidden.
bool Wanted(FindSearch& search, const dirent* entry) {
  const char* name = entry->d_name;
  if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) return false;
  if ((search.filter & FILE_ATTRIBUTE_DIRECTORY) == 0 && entry->d_type == DT_DIR) return false;
  // A folders-only read never asks about the plain files the read names.
  if (search.foldersOnly && entry->d_type != DT_DIR && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
    return false;
  if ((search.filter & FILE_ATTRIBUTE_HIDDEN) == 0 && name[0] == '.') return false;
  if (std::strchr(name, '\\') != nullptr) return false;
  return NameMatches(search, name);
}

// Whether a filled entry is given: the filter and the folders-only scope.
bool Given(const FindSearch& search, const WIN32_FIND_DATAA& data) {
  if (Excluded(search, data.dwFileAttributes)) return false;
  return !search.foldersOnly || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The next name of the folder read; nullptr at its end, or when the budget
// FindNextWithin set is spent (then `paused`).
const dirent* ReadEntry(FindSearch& search) {
  if (search.budget != nullptr && *search.budget <= 0) {
    search.paused = true;
    return nullptr;
  }
  const dirent* entry = ::readdir(search.dir);
  if (entry != nullptr && search.budget != nullptr) --*search.budget;
  return entry;
}

bool Next(FindSearch& search, WIN32_FIND_DATAA& data) {
  while (search.dots < 2) {
    const char* name = search.dots++ == 0 ? "." : "..";
    if ((search.filter & FILE_ATTRIBUTE_DIRECTORY) == 0 || !NameMatches(search, name)) continue;
    if (search.single && search.singleName != name) continue;
    // "." and ".." are folders: a names listing needs nothing more of them.
    const bool filled = search.namesOnly ? FillKind(search, name, data, DT_DIR) : Fill(search, name, data);
    if (filled && Given(search, data)) return true;
  }
  if (search.single) {
    if (search.singleDone || search.singleName.empty() || search.singleName == "." || search.singleName == "..")
      return false;
    search.singleDone = true;
    // A folders-only read never gives a plain file, even one named in full.
    return Fill(search, search.singleName.c_str(), data) && Given(search, data);
  }
  if (!search.namesOnly) {
    // The whole status of each entry: the names are read a batch at a time
    // and the batch filled at once, its entries given in the folder's order.
    for (;;) {
      while (search.batchAt < search.batch.size()) {
        const std::size_t n = search.batchAt++;
        if (!search.ok[n] || !Given(search, search.batch[n])) continue;
        data = std::move(search.batch[n]);
        return true;
      }
      search.batch.clear();
      search.types.clear();
      search.batchAt = 0;
      const std::size_t room = search.named < kOneByOne ? 1 : kBatch;
      while (search.batch.size() < room) {
        const dirent* entry = ReadEntry(search);
        if (entry == nullptr) break;
        if (!Wanted(search, entry)) continue;
        search.batch.emplace_back().cFileName = entry->d_name;
        search.types.push_back(entry->d_type);
        ++search.named;
      }
      if (search.batch.empty()) return false;
      FillBatch(search);
    }
  }
  while (const dirent* entry = ReadEntry(search)) {
    if (!Wanted(search, entry)) continue;
    if (FillKind(search, entry->d_name, data, entry->d_type) && Given(search, data)) return true;
  }
  return false;
}

// A listing of the open folder `fd` (which it then owns), the host folder
// `folder`.
FindSearch* NewSearch(int fd, const std::string& folder, std::uint32_t filter, FINDEX_INFO_LEVELS info,
                      FINDEX_SEARCH_OPS scope) {
  auto* search = new FindSearch;
  search->fd = fd;
  search->folder = folder;
  if (search->folder.back() != '/') search->folder += '/';
  search->path = search->folder;
  search->filter = filter;
  search->namesOnly = info == FindExInfoNames;
  search->foldersOnly = scope == FindExSearchLimitToDirectories;
  return search;
}

// Opens the folder read of `search`; false (the search closed) when it cannot.
bool OpenFolderRead(FindSearch* search) {
  search->dir = ::fdopendir(::dup(search->fd));
  if (search->dir) return true;
  platform::SetLastErrorFromErrno(errno);
  FindClose(search);
  return false;
}

// `search` with its first entry in `data`; nullptr (the search closed) when it
// has none.
HFIND WithFirstEntry(FindSearch* search, WIN32_FIND_DATAA& data) {
  if (Next(*search, data)) return search;
  FindClose(search);
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

}  // namespace

HFIND FindFirstFileA(const std::string& pattern, std::uint32_t filter, WIN32_FIND_DATAA& data) {
  return FindFirstFileExA(pattern, filter, FindExInfoStandard, FindExSearchNameMatch, data);
}

HFIND FindFirstFileExA(const std::string& pattern, std::uint32_t filter, FINDEX_INFO_LEVELS info,
                       FINDEX_SEARCH_OPS scope, WIN32_FIND_DATAA& data) {
  HFIND search = platform::FindOpenExA(pattern, filter, info, scope);
  return search == nullptr ? nullptr : WithFirstEntry(search, data);
}

namespace platform {

HFIND FindOpenExA(const std::string& pattern, std::uint32_t filter, FINDEX_INFO_LEVELS info, FINDEX_SEARCH_OPS scope) {
  std::size_t cut = pattern.size();
  while (cut > 0 && !IsSeparator(pattern[cut - 1])) --cut;
  if (cut == 0 && pattern.size() >= 2 && pattern[1] == ':') cut = 2;
  const std::string folderText = pattern.substr(0, cut);
  const std::string name = pattern.substr(cut);
  if (name.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  const auto folder = platform::ResolveFolderPath(folderText);
  if (!folder || !folder->exists) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  const int fd = ::open(folder->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    platform::SetLastErrorFromErrno(errno == ENOENT ? ENOTDIR : errno);
    return nullptr;
  }
  auto* search = NewSearch(fd, folder->host, filter, info, scope);
  search->dots = folder->names.empty() ? 2 : 0;
  if (name.find_first_of("*?") == std::string::npos) {
    search->single = true;
    if (name == "." || name == "..")
      search->singleName = name;
    else if (platform::ExactNames::InForce())
      search->singleName = ExistsAsSpelled(fd, name) ? name : "";
    else
      search->singleName = platform::LookUpName(folder->host, name).value_or("");
    search->matchAll = true;
  } else {
    search->matchAll = name == "*" || name == "*.*";
    search->pattern = platform::FoldCase(name);
    if (!OpenFolderRead(search)) return nullptr;
  }
  return search;
}

FindStep FindNextWithin(HFIND search, WIN32_FIND_DATAA& data, int& budget) {
  if (search == nullptr) return FindStep::End;
  search->budget = &budget;
  search->paused = false;
  const bool found = Next(*search, data);
  search->budget = nullptr;
  if (found) return FindStep::Found;
  return search->paused ? FindStep::Paused : FindStep::End;
}

HFIND FindFirstFileInA(HFIND parent, const std::string& name, std::uint32_t filter, FINDEX_INFO_LEVELS info,
                       FINDEX_SEARCH_OPS scope, WIN32_FIND_DATAA& data) {
  // Never through a link: the folder is the entry the parent's read named.
  const int fd = parent ? ::openat(parent->fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC) : -1;
  if (fd < 0) {
    platform::SetLastErrorFromErrno(parent ? errno : EINVAL);
    return nullptr;
  }
  auto* search = NewSearch(fd, parent->folder + name, filter, info, scope);
  search->dots = 0;
  search->matchAll = true;
  return OpenFolderRead(search) ? WithFirstEntry(search, data) : nullptr;
}

}  // namespace platform

bool FindNextFileA(HFIND search, WIN32_FIND_DATAA& data) {
  if (!search) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (Next(*search, data)) return true;
  SetLastError(ERROR_NO_MORE_FILES);
  return false;
}

bool FindClose(HFIND search) {
  if (!search) return false;
  if (search->dir) ::closedir(search->dir);
  if (search->fd >= 0) ::close(search->fd);
  delete search;
  return true;
}

namespace platform {

std::optional<FileStatus> EntryStatus(HFIND search, const std::string& name) {
  struct statx st {};
  if (!search || ::statx(search->fd, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
    SetLastErrorFromErrno(search ? errno : EINVAL);
    return std::nullopt;
  }
  return StatusOf(name.c_str(), st, std::nullopt);
}

std::optional<FolderIdentity> EnterableEntry(HFIND search, const std::string& name) {
  struct stat st {};
  if (!search || ::fstatat(search->fd, name.c_str(), &st, 0) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  // The same right EnterableFolder asks for: searching the folder.
  if (::faccessat(search->fd, name.c_str(), X_OK, AT_EACCESS) != 0) return std::nullopt;
  return FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace platform
