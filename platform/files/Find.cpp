#include "platform/files/Find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/drives/DriveMap.h"
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
  bool foldersOnly = false;
  int dots = 2;        // "." and ".." still to give: 0 both, 1 "..", 2 none
  std::string path;    // reused for each entry's host path
  std::string folded;  // reused for each entry's folded name
};

namespace {

constexpr std::uint32_t kFilteredBits =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_VOLUME | FILE_ATTRIBUTE_DIRECTORY;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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
  return (attributes & kFilteredBits & ~search.filter) != 0 ||
         (search.foldersOnly && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0);
}

// Fills `data` for one entry; false when the entry has gone meanwhile.
bool Fill(FindSearch& search, const char* name, WIN32_FIND_DATAA& data) {
  struct statx st {};
  constexpr unsigned mask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
  bool dangling = false;
  if (::statx(search.fd, name, AT_STATX_SYNC_AS_STAT, mask, &st) != 0) {
    // A symbolic link whose target is missing is still an entry of the folder.
    if ((errno != ENOENT && errno != ELOOP) || ::statx(search.fd, name, AT_SYMLINK_NOFOLLOW, mask, &st) != 0)
      return false;
    dangling = true;
  }
  const bool folder = S_ISDIR(st.stx_mode);
  std::optional<std::uint32_t> stored;
  const bool dotEntry = std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
  if (!dangling && !dotEntry) {
    search.path.resize(search.folder.size());
    search.path += name;
    stored = platform::StoredAttributesAt(search.fd, name, search.path.c_str());
  }
  data.dwFileAttributes = platform::AttributesOf(name, folder, (st.stx_mode & S_IWUSR) != 0, stored);
  data.nFileSize = folder ? 0 : st.stx_size;
  data.ftLastAccessTime = platform::FileTimeFromUnix(st.stx_atime.tv_sec, st.stx_atime.tv_nsec);
  data.ftLastWriteTime = platform::FileTimeFromUnix(st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec);
  data.ftCreationTime = (st.stx_mask & STATX_BTIME)
                            ? platform::FileTimeFromUnix(st.stx_btime.tv_sec, st.stx_btime.tv_nsec)
                            : data.ftLastWriteTime;
  data.cFileName = name;
  return true;
}

bool NameMatches(FindSearch& search, std::string_view name) {
  if (search.matchAll) return true;
  platform::FoldCaseInto(name, search.folded);
  return Matches(search.pattern, search.folded);
}

bool Next(FindSearch& search, WIN32_FIND_DATAA& data) {
  while (search.dots < 2) {
    const char* name = search.dots++ == 0 ? "." : "..";
    if ((search.filter & FILE_ATTRIBUTE_DIRECTORY) == 0 || !NameMatches(search, name)) continue;
    if (search.single && search.singleName != name) continue;
    if (Fill(search, name, data) && !Excluded(search, data.dwFileAttributes)) return true;
  }
  if (search.single) {
    if (search.singleDone || search.singleName.empty() || search.singleName == "." || search.singleName == "..")
      return false;
    search.singleDone = true;
    return Fill(search, search.singleName.c_str(), data) && !Excluded(search, data.dwFileAttributes);
  }
  const bool wantsFolders = (search.filter & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const bool wantsHidden = (search.filter & FILE_ATTRIBUTE_HIDDEN) != 0;
  while (dirent* entry = ::readdir(search.dir)) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    // Leave out what the filter rules out before asking the file system
    // anything more: folders by their entry type, dot names as hidden.
    if (!wantsFolders && entry->d_type == DT_DIR) continue;
    // A search for folders passes over what the entry type names as
    // anything else, unexamined; a link may still lead to a folder.
    if (search.foldersOnly && entry->d_type != DT_DIR && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
      continue;
    if (!wantsHidden && name[0] == '.') continue;
    if (std::strchr(name, '\\') != nullptr) continue;
    if (!NameMatches(search, name)) continue;
    if (Fill(search, name, data) && !Excluded(search, data.dwFileAttributes)) return true;
  }
  return false;
}

}  // namespace

HFIND FindFirstFileA(const std::string& pattern, std::uint32_t filter, WIN32_FIND_DATAA& data) {
  return FindFirstFileExA(pattern, FindExSearchNameMatch, filter, data);
}

HFIND FindFirstFileExA(const std::string& pattern, FINDEX_SEARCH_OPS searchOp, std::uint32_t filter,
                       WIN32_FIND_DATAA& data) {
  std::size_t cut = pattern.size();
  while (cut > 0 && !IsSeparator(pattern[cut - 1])) --cut;
  if (cut == 0 && pattern.size() >= 2 && pattern[1] == ':') cut = 2;
  const std::string folderText = pattern.substr(0, cut);
  const std::string name = pattern.substr(cut);
  if (name.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  const auto folder = platform::ResolveDrivePath(folderText);
  if (!folder || !folder->exists) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  const int fd = ::open(folder->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    platform::SetLastErrorFromErrno(errno == ENOENT ? ENOTDIR : errno);
    return nullptr;
  }
  auto* search = new FindSearch;
  search->fd = fd;
  search->folder = folder->host;
  if (search->folder.back() != '/') search->folder += '/';
  search->path = search->folder;
  search->filter = filter;
  search->foldersOnly = searchOp == FindExSearchLimitToDirectories;
  search->dots = folder->names.empty() ? 2 : 0;
  if (name.find_first_of("*?") == std::string::npos) {
    search->single = true;
    if (name == "." || name == "..")
      search->singleName = name;
    else
      search->singleName = platform::LookUpName(folder->host, name).value_or("");
    search->matchAll = true;
  } else {
    search->matchAll = name == "*" || name == "*.*";
    search->pattern = platform::FoldCase(name);
    search->dir = ::fdopendir(::dup(fd));
    if (!search->dir) {
      platform::SetLastErrorFromErrno(errno);
      FindClose(search);
      return nullptr;
    }
  }
  if (!Next(*search, data)) {
    FindClose(search);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return search;
}

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
