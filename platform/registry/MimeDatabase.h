#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class MimeIconTheme;

/// Hash and equality for maps keyed by text that are searched with a
/// string_view, so a look-up allocates nothing.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};
template <typename T>
using TextMap = std::unordered_map<std::string, T, TextHash, std::equal_to<>>;

/// What the shared MIME-info database knows of extensions and file types,
/// read from the mime folder of every data folder (XdgDataDirs): the
/// extension globs (globs2, else globs), the aliases, the types, the icon
/// names (icons, generic-icons) when it is made; a type's description
/// (mime/<media>/<sub>.xml) and its icon file the first time they are asked for.
/// Every name it is asked with is already folded (FoldKeyName).
class MimeDatabase {
 public:
  MimeDatabase();
  ~MimeDatabase();
  MimeDatabase(const MimeDatabase&) = delete;
  MimeDatabase& operator=(const MimeDatabase&) = delete;

  /// The file type of an extension (".txt" gives "text/plain"), or null.
  /// Of several types with a glob for one extension, the highest weight wins,
  /// then a glob that matches the lower-case spelling, then the first one.
  const std::string* ExtensionType(std::string_view extension) const;
  /// The description of a type in the user's language, else the untranslated
  /// one; null for a type the database does not know or does not describe.
  const std::string* Description(std::string_view type);
  /// The host path of a type's icon file from the icon theme, or null.
  const std::string* IconFile(std::string_view type);

  /// The languages a description is looked for in, best first, from
  /// LANGUAGE, LC_ALL, LC_MESSAGES and LANG (the first one set): for
  /// "de_DE.UTF-8@euro" the names de_DE@euro, de_DE, de@euro and de. Empty
  /// for the C and POSIX locales.
  static std::vector<std::string> DescriptionLanguages();

 private:
  struct Type {
    std::string name;         ///< as the database spells it
    std::string iconName;     ///< from mime/icons, may be empty
    std::string genericIcon;  ///< from mime/generic-icons, may be empty
    std::string description;
    std::string iconFile;
    bool descriptionRead = false;
    bool iconLooked = false;
  };
  Type* FindType(std::string_view type);
  void LoadDescription(Type& type);
  void LoadIcon(Type& type);

  std::vector<std::string> dirs_;
  std::vector<std::string> languages_;
  TextMap<std::string> extensions_;
  TextMap<Type> types_;
  std::unique_ptr<MimeIconTheme> theme_;
};

}  // namespace platform
