#include "platform/registry/MimeIconTheme.h"

#include <dirent.h>
#include <cstdlib>

#include "platform/registry/MimeFiles.h"

namespace platform {

namespace {

constexpr int kWantedSize = 32;

bool IsMimeTypeFolder(std::string_view folder, std::string_view context) {
  if (context == "MimeTypes" || context == "mimetypes") return true;
  // Themes that name no context still keep these icons in "mimetypes" folders.
  for (std::string_view rest = folder; !rest.empty();) {
    const std::size_t slash = rest.find('/');
    if (rest.substr(0, slash) == "mimetypes") return true;
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return false;
}

// Lower is better: a 32x32 PNG, then PNGs by distance from that size (a
// larger one scales down better than a smaller one scales up), then XPM,
// then SVG (the image lists may have no SVG reader). -1: not an icon file.
int Score(std::string_view suffix, int size) {
  const int distance = size >= kWantedSize ? size - kWantedSize : 500 + (kWantedSize - size);
  if (suffix == ".png") return distance;
  if (suffix == ".xpm") return 2000 + distance;
  if (suffix == ".svg") return 4000;
  return -1;
}

bool CanBeOffered(std::string_view path) {
  for (const char c : path) {
    if (c == ',' || c == ';' || c == '#' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

MimeIconTheme::MimeIconTheme() {
  const std::vector<std::string> data = XdgDataDirs();
  for (std::size_t i = 0; i < data.size(); ++i) {
    bases_.push_back(data[i] + "/icons");
    if (i == 0) {
      if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        bases_.push_back(std::string(home) + "/.icons");
      }
    }
  }
  std::vector<std::string> seen;
  AddTheme(CurrentThemeName(), seen, 0);
  AddTheme("hicolor", seen, 0);
  AddTheme("Adwaita", seen, 0);
}

void MimeIconTheme::AddTheme(const std::string& name, std::vector<std::string>& seen, int depth) {
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == ".." || depth > 16) return;
  for (const std::string& known : seen) {
    if (known == name) return;
  }
  seen.push_back(name);
  std::string content;
  bool found = false;
  for (const std::string& base : bases_) {
    if (ReadHostFile(base + "/" + name + "/index.theme", content)) {
      found = true;
      break;
    }
  }
  if (!found) return;

  struct Folder {
    std::string path;
    int size = 0;
    int scale = 1;
    std::string context;
  };
  std::vector<Folder> folders;
  TextMap<std::size_t> folderAt;
  std::string inherits;
  ForEachIniEntry(content, [&](std::string_view section, std::string_view key, std::string_view value) {
    if (section == "Icon Theme") {
      if (key == "Directories") {
        for (std::string_view rest = value; !rest.empty();) {
          const std::size_t comma = rest.find(',');
          const std::string folder(rest.substr(0, comma));
          if (!folder.empty() && folderAt.try_emplace(folder, folders.size()).second)
            folders.push_back(Folder{folder, 0, 1, {}});
          if (comma == std::string_view::npos) break;
          rest.remove_prefix(comma + 1);
        }
      } else if (key == "Inherits") {
        inherits = value;
      }
      return;
    }
    const auto at = folderAt.find(section);
    if (at == folderAt.end()) return;
    Folder& folder = folders[at->second];
    if (key == "Size") folder.size = std::atoi(std::string(value).c_str());
    if (key == "Scale") folder.scale = std::atoi(std::string(value).c_str());
    if (key == "Context") folder.context = value;
  });

  TextMap<Icon> icons;
  for (const Folder& folder : folders) {
    if (folder.scale != 1 || !IsMimeTypeFolder(folder.path, folder.context)) continue;
    for (const std::string& base : bases_) {
      const std::string dirPath = base + "/" + name + "/" + folder.path;
      DIR* dir = ::opendir(dirPath.c_str());
      if (dir == nullptr) continue;
      while (const dirent* entry = ::readdir(dir)) {
        const std::string_view file = entry->d_name;
        const std::size_t dot = file.rfind('.');
        if (dot == std::string_view::npos || dot == 0) continue;
        const int score = Score(file.substr(dot), folder.size);
        if (score < 0) continue;
        std::string path = dirPath + "/" + std::string(file);
        if (!CanBeOffered(path)) continue;
        const auto [at, added] = icons.try_emplace(std::string(file.substr(0, dot)), Icon{score, path});
        if (!added && score < at->second.score) at->second = Icon{score, std::move(path)};
      }
      ::closedir(dir);
    }
  }
  themes_.push_back(std::move(icons));

  // The themes this one inherits follow it, each with its own parents.
  for (std::string_view rest = inherits; !rest.empty();) {
    const std::size_t comma = rest.find(',');
    std::string_view parent = rest.substr(0, comma);
    while (!parent.empty() && parent.front() == ' ') parent.remove_prefix(1);
    while (!parent.empty() && parent.back() == ' ') parent.remove_suffix(1);
    AddTheme(std::string(parent), seen, depth + 1);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
}

const std::string* MimeIconTheme::Find(std::string_view name) const {
  for (const TextMap<Icon>& theme : themes_) {
    if (const auto found = theme.find(name); found != theme.end()) return &found->second.path;
  }
  return nullptr;
}

std::string MimeIconTheme::CurrentThemeName() {
  std::string content;
  for (const std::string& dir : XdgConfigDirs()) {
    for (const char* gtk : {"/gtk-3.0/settings.ini", "/gtk-4.0/settings.ini"}) {
      if (!ReadHostFile(dir + gtk, content)) continue;
      std::string theme;
      ForEachIniEntry(content, [&](std::string_view section, std::string_view key, std::string_view value) {
        if (section == "Settings" && key == "gtk-icon-theme-name") theme = value;
      });
      if (theme.size() >= 2 && (theme.front() == '"' || theme.front() == '\'') && theme.back() == theme.front()) {
        theme = theme.substr(1, theme.size() - 2);
      }
      if (!theme.empty()) return theme;
    }
  }
  return "Adwaita";
}

}  // namespace platform
