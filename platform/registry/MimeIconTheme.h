#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/MimeDatabase.h"

namespace platform {

/// The file-type icons of the installed icon themes: the icons in the
/// mime-type folders of the current theme, of the themes it inherits, of
/// "hicolor" and of "Adwaita", indexed by name when it is made. Themes are
/// looked for in XDG_DATA_HOME/icons, ~/.icons and XDG_DATA_DIRS/icons.
class MimeIconTheme {
 public:
  MimeIconTheme();

  /// The host path of the icon file of that name, from the first theme that
  /// has it: within a theme a 32x32 PNG, else the PNG nearest that size
  /// (larger ones first), else an XPM, else an SVG. Null when no theme has it.
  /// A file whose path holds a ",", a ";", a "#" or a control character is
  /// never offered: the "file,index" value of a default icon and the lines
  /// of the file-type table could not carry it.
  const std::string* Find(std::string_view name) const;

  /// The name of the user's icon theme: gtk-icon-theme-name of the GTK
  /// settings (settings.ini of gtk-3.0, then gtk-4.0, in XDG_CONFIG_HOME
  /// and then XDG_CONFIG_DIRS), else "Adwaita".
  static std::string CurrentThemeName();

 private:
  struct Icon {
    int score;
    std::string path;
  };
  void AddTheme(const std::string& name, std::vector<std::string>& seen, int depth);

  std::vector<std::string> bases_;
  std::vector<TextMap<Icon>> themes_;  // in look-up order
};

}  // namespace platform
