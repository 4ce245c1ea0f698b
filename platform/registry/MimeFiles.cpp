#include "platform/registry/MimeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

namespace platform {

namespace {

std::vector<std::string> BaseDirs(const char* homeVariable, const char* homeDefault, const char* dirsVariable,
                                  const char* dirsDefault) {
  std::vector<std::string> dirs;
  const char* home = std::getenv(homeVariable);
  if (home != nullptr && home[0] == '/') {
    dirs.emplace_back(home);
  } else if (const char* user = std::getenv("HOME"); user != nullptr && user[0] == '/') {
    dirs.push_back(std::string(user) + homeDefault);
  }
  const char* list = std::getenv(dirsVariable);
  // An empty list counts as unset, as the base-directory rules say.
  std::string_view rest = list != nullptr && list[0] != '\0' ? list : dirsDefault;
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (dir.empty() || dir[0] != '/') continue;
    while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
    dirs.emplace_back(dir);
  }
  for (std::string& dir : dirs) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  }
  return dirs;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> XdgDataDirs() {
  return BaseDirs("XDG_DATA_HOME", "/.local/share", "XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

std::vector<std::string> XdgConfigDirs() {
  return BaseDirs("XDG_CONFIG_HOME", "/.config", "XDG_CONFIG_DIRS", "/etc/xdg");
}

bool ReadHostFile(const std::string& path, std::string& content) {
  content.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  content.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  for (;;) {
    if (done == content.size()) content.resize(content.size() + 4096);
    const ssize_t got = ::read(fd, content.data() + done, content.size() - done);
    if (got < 0) {
      ::close(fd);
      content.clear();
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  content.resize(done);
  return true;
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view line)>& line) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view one = text.substr(0, end);
    if (!one.empty() && one.back() == '\r') one.remove_suffix(1);
    line(one);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void ForEachIniEntry(
    std::string_view text,
    const std::function<void(std::string_view section, std::string_view key, std::string_view value)>& entry) {
  std::string section;
  ForEachLine(text, [&](std::string_view line) {
    line = Trim(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') return;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      section = std::string(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    entry(section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
  });
}

}  // namespace platform
