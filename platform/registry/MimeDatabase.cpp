#include "platform/registry/MimeDatabase.h"

#include <climits>
#include <cstdlib>
#include <initializer_list>

#include "platform/registry/MimeFiles.h"
#include "platform/registry/MimeIconTheme.h"
#include "platform/registry/SystemRegistry.h"
#include "platform/system/CaseFold.h"

namespace platform {

namespace {

constexpr std::string_view kNoGlobs = "__NOGLOBS__";

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = line.find(separator);
    parts.push_back(line.substr(0, at));
    if (at == std::string_view::npos) return parts;
    line.remove_prefix(at + 1);
  }
}

// The extension of a glob "*.ext" whose extension holds no wild card (and no
// backslash, which would make it a path of keys); empty for every other glob.
std::string_view GlobExtension(std::string_view pattern) {
  if (pattern.size() < 3 || pattern[0] != '*' || pattern[1] != '.') return {};
  const std::string_view extension = pattern.substr(2);
  if (extension.find_first_of("*?[\\") != std::string_view::npos) return {};
  return extension;
}

bool IsValidTypeName(std::string_view type) {
  const std::size_t slash = type.find('/');
  if (slash == std::string_view::npos || type.find('/', slash + 1) != std::string_view::npos) return false;
  const std::string_view media = type.substr(0, slash);
  const std::string_view sub = type.substr(slash + 1);
  const auto ok = [](std::string_view part) {
    return !part.empty() && part != "." && part != ".." && part.find('\0') == std::string_view::npos;
  };
  return ok(media) && ok(sub);
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// XML character data with its entity and character references resolved;
// a reference we do not know stays as written.
std::string DecodeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 9, "<![CDATA[") == 0) {
      const std::size_t end = text.find("]]>", i + 9);
      const std::size_t stop = end == std::string_view::npos ? text.size() : end;
      out.append(text.substr(i + 9, stop - i - 9));
      i = end == std::string_view::npos ? text.size() : end + 3;
      continue;
    }
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    const std::size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos || semicolon - i > 12) {
      out += text[i++];
      continue;
    }
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    bool done = false;
    for (const auto& [entity, character] : kNamed) {
      if (name == entity) {
        out += character;
        done = true;
      }
    }
    if (!done && name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string digits(name.substr(hex ? 2 : 1));
      char* end = nullptr;
      const unsigned long code = digits.empty() ? 0 : std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
      if (end != nullptr && *end == '\0' && code != 0) {
        AppendUtf8(out, code);
        done = true;
      }
    }
    if (done) {
      i = semicolon + 1;
    } else {
      out += text[i++];
    }
  }
  // A description is one line of text: line breaks and other control
  // characters become blanks, and blanks at the ends go.
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

bool SameLanguage(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] == '-' ? '_' : a[i];
    char y = b[i] == '-' ? '_' : b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The text of the <comment> elements of a type's XML file that suits the
// languages best: the first language that has one, else the untranslated one.
std::string BestComment(std::string_view xml, const std::vector<std::string>& languages) {
  std::string best;
  std::size_t bestRank = SIZE_MAX;
  std::size_t i = 0;
  while ((i = xml.find('<', i)) != std::string_view::npos) {
    if (xml.compare(i, 4, "<!--") == 0) {
      const std::size_t end = xml.find("-->", i + 4);
      if (end == std::string_view::npos) break;
      i = end + 3;
      continue;
    }
    if (xml.compare(i, 8, "<comment") != 0 || i + 8 >= xml.size() ||
        !(IsSpace(xml[i + 8]) || xml[i + 8] == '>' || xml[i + 8] == '/')) {
      ++i;
      continue;
    }
    std::size_t j = i + 8;
    std::string lang;
    bool empty = false;
    bool complete = false;
    while (j < xml.size()) {
      while (j < xml.size() && IsSpace(xml[j])) ++j;
      if (j >= xml.size()) break;
      if (xml[j] == '>') {
        ++j;
        complete = true;
        break;
      }
      if (xml.compare(j, 2, "/>") == 0) {
        j += 2;
        empty = complete = true;
        break;
      }
      const std::size_t nameStart = j;
      while (j < xml.size() && xml[j] != '=' && !IsSpace(xml[j]) && xml[j] != '>' && xml[j] != '/') ++j;
      const std::string_view name = xml.substr(nameStart, j - nameStart);
      while (j < xml.size() && IsSpace(xml[j])) ++j;
      if (j >= xml.size() || xml[j] != '=') {
        if (name.empty()) ++j;  // a stray character: step over it
        continue;
      }
      ++j;
      while (j < xml.size() && IsSpace(xml[j])) ++j;
      if (j >= xml.size() || (xml[j] != '"' && xml[j] != '\'')) continue;
      const char quote = xml[j++];
      const std::size_t close = xml.find(quote, j);
      if (close == std::string_view::npos) {
        j = xml.size();
        break;
      }
      if (name == "xml:lang") lang = DecodeXmlText(xml.substr(j, close - j));
      j = close + 1;
    }
    if (!complete) break;
    std::string text;
    if (!empty) {
      const std::size_t end = xml.find("</comment", j);
      if (end == std::string_view::npos) break;
      text = DecodeXmlText(xml.substr(j, end - j));
      j = end;
    }
    i = j;
    if (text.empty()) continue;
    std::size_t rank = languages.size();  // the untranslated text ranks after every language
    if (!lang.empty()) {
      rank = SIZE_MAX;
      for (std::size_t k = 0; k < languages.size(); ++k) {
        if (SameLanguage(lang, languages[k])) {
          rank = k;
          break;
        }
      }
    }
    if (rank < bestRank) {
      bestRank = rank;
      best = std::move(text);
    }
  }
  return best;
}

}  // namespace

MimeDatabase::MimeDatabase() : dirs_(XdgDataDirs()), languages_(DescriptionLanguages()) {
  std::string content;
  std::string folded;
  TextMap<std::string> aliases;
  // First the names of every folder: a more important folder's entry for a
  // type stands, a later folder's is ignored.
  for (const std::string& dir : dirs_) {
    const std::string mime = dir + "/mime/";
    if (ReadHostFile(mime + "aliases", content)) {
      ForEachLine(content, [&](std::string_view line) {
        const std::size_t blank = line.find(' ');
        if (line.empty() || line[0] == '#' || blank == std::string_view::npos) return;
        FoldKeyName(line.substr(0, blank), folded);
        aliases.try_emplace(folded, line.substr(blank + 1));
      });
    }
    if (ReadHostFile(mime + "types", content)) {
      ForEachLine(content, [&](std::string_view line) {
        if (line.empty() || line[0] == '#') return;
        FoldKeyName(line, folded);
        Type& type = types_.try_emplace(folded).first->second;
        if (type.name.empty()) type.name.assign(line);
      });
    }
    for (const bool generic : {false, true}) {
      if (!ReadHostFile(mime + (generic ? "generic-icons" : "icons"), content)) continue;
      ForEachLine(content, [&](std::string_view line) {
        const std::size_t colon = line.find(':');
        if (line.empty() || line[0] == '#' || colon == std::string_view::npos) return;
        FoldKeyName(line.substr(0, colon), folded);
        Type& type = types_.try_emplace(folded).first->second;
        if (type.name.empty()) type.name.assign(line.substr(0, colon));
        std::string& icon = generic ? type.genericIcon : type.iconName;
        if (icon.empty()) icon.assign(line.substr(colon + 1));
      });
    }
  }

  // Then the globs. Folders are read most important first; a type's
  // "__NOGLOBS__" in one folder drops its globs of every folder after it.
  struct Claim {
    int weight;
    bool matchesLowerCase;  // a case-sensitive glob with capitals loses a tie
    std::string type;
  };
  TextMap<Claim> claims;
  TextMap<bool> blocked;
  std::string typeKey;
  for (const std::string& dir : dirs_) {
    const std::string mime = dir + "/mime/";
    const bool weighted = ReadHostFile(mime + "globs2", content);
    if (!weighted && !ReadHostFile(mime + "globs", content)) continue;
    TextMap<bool> blockedHere;
    ForEachLine(content, [&](std::string_view line) {
      if (line.empty() || line[0] == '#') return;
      const std::vector<std::string_view> fields = Split(line, ':');
      if (fields.size() < (weighted ? 3u : 2u)) return;
      const int weight = weighted ? std::atoi(std::string(fields[0]).c_str()) : 50;
      std::string_view type = fields[weighted ? 1 : 0];
      const std::string_view pattern = fields[weighted ? 2 : 1];
      bool caseSensitive = false;
      if (weighted && fields.size() > 3) {
        for (std::string_view flag : Split(fields[3], ',')) caseSensitive |= flag == "cs";
      }
      FoldKeyName(type, typeKey);
      if (const auto alias = aliases.find(typeKey); alias != aliases.end()) {
        type = alias->second;
        FoldKeyName(type, typeKey);
      }
      // A glob of no type (a line "50::*.x", an alias to nothing) names nothing.
      if (type.empty()) return;
      if (pattern == kNoGlobs) {
        blockedHere.try_emplace(typeKey, true);
        return;
      }
      if (blocked.find(typeKey) != blocked.end()) return;
      const std::string_view extension = GlobExtension(pattern);
      if (extension.empty()) return;
      std::string key = "." + std::string(extension);
      FoldKeyName(key, folded);
      const bool lower = !caseSensitive || folded == key;
      const auto [at, added] = claims.try_emplace(folded, Claim{weight, lower, std::string(type)});
      Claim& claim = at->second;
      if (!added && (weight > claim.weight || (weight == claim.weight && lower && !claim.matchesLowerCase))) {
        claim = Claim{weight, lower, std::string(type)};
      }
      Type& entry = types_.try_emplace(typeKey).first->second;
      if (entry.name.empty()) entry.name.assign(type);
    });
    for (const auto& [type, unused] : blockedHere) blocked.try_emplace(type, true);
  }
  extensions_.reserve(claims.size());
  for (auto& [extension, claim] : claims) extensions_.emplace(extension, std::move(claim.type));
}

MimeDatabase::~MimeDatabase() = default;

const std::string* MimeDatabase::ExtensionType(std::string_view extension) const {
  const auto found = extensions_.find(extension);
  return found == extensions_.end() ? nullptr : &found->second;
}

MimeDatabase::Type* MimeDatabase::FindType(std::string_view type) {
  const auto found = types_.find(type);
  return found == types_.end() ? nullptr : &found->second;
}

const std::string* MimeDatabase::Description(std::string_view name) {
  Type* type = FindType(name);
  if (type == nullptr) return nullptr;
  if (!type->descriptionRead) LoadDescription(*type);
  return type->description.empty() ? nullptr : &type->description;
}

const std::string* MimeDatabase::IconFile(std::string_view name) {
  Type* type = FindType(name);
  if (type == nullptr) return nullptr;
  if (!type->iconLooked) LoadIcon(*type);
  return type->iconFile.empty() ? nullptr : &type->iconFile;
}

void MimeDatabase::LoadDescription(Type& type) {
  type.descriptionRead = true;
  // The per-type files are what update-mime-database makes of all the
  // packages of a folder: one small file holds every translation of a type.
  if (!IsValidTypeName(type.name)) return;
  // update-mime-database writes the file under the lower-case name
  // ("audio/AMR" is audio/amr.xml).
  std::string lower = LowerAscii(type.name);
  std::string content;
  for (const std::string& dir : dirs_) {
    for (const std::string* name : {&lower, &type.name}) {
      if (name == &type.name && lower == type.name) continue;
      if (!ReadHostFile(dir + "/mime/" + *name + ".xml", content)) continue;
      type.description = BestComment(content, languages_);
      if (!type.description.empty()) return;
    }
  }
}

void MimeDatabase::LoadIcon(Type& type) {
  type.iconLooked = true;
  if (!IsValidTypeName(type.name)) return;
  if (!theme_) theme_ = std::make_unique<MimeIconTheme>();
  std::string own = type.iconName;
  if (own.empty()) {
    own = type.name;
    own[own.find('/')] = '-';
  }
  const std::string media = type.name.substr(0, type.name.find('/')) + "-x-generic";
  for (const std::string* name : std::initializer_list<const std::string*>{&own, &type.genericIcon, &media}) {
    if (name->empty()) continue;
    if (const std::string* file = theme_->Find(*name)) {
      type.iconFile = *file;
      return;
    }
  }
}

std::vector<std::string> MimeDatabase::DescriptionLanguages() {
  std::string_view setting;
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') {
      setting = value;
      break;
    }
  }
  std::vector<std::string> languages;
  const auto add = [&](std::string name) {
    for (const std::string& known : languages) {
      if (known == name) return;
    }
    languages.push_back(std::move(name));
  };
  for (std::string_view locale : Split(setting, ':')) {
    if (locale.empty()) continue;
    const std::size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? std::string_view() : locale.substr(at);
    locale = locale.substr(0, at);
    locale = locale.substr(0, locale.find('.'));
    if (locale == "C" || locale == "POSIX") break;  // untranslated from here on
    const std::string_view language = locale.substr(0, locale.find('_'));
    if (!modifier.empty()) add(std::string(locale) + std::string(modifier));
    add(std::string(locale));
    if (!modifier.empty()) add(std::string(language) + std::string(modifier));
    add(std::string(language));
  }
  return languages;
}

}  // namespace platform
