#include "platform/processes/ShellExecute.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <cctype>
#include <optional>

#include "platform/drives/DriveMap.h"

namespace {

// Windows gives back an instance handle above 32 on success; any such value will do.
constexpr int kSuccess = 42;

std::string Joined(std::string folder, const std::string& name) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\" + name;
}

// A web address or another URI: a scheme of two or more characters (so a
// drive letter is never one), a colon, then anything.
bool IsUri(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (std::isalpha(static_cast<unsigned char>(text[i])) ||
                             (i > 0 && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '+' ||
                                        text[i] == '-' || text[i] == '.'))))
    ++i;
  return i >= 2 && i < text.size() && text[i] == ':';
}

// Hands a URI to the desktop's application for its scheme.
int OpenUri(const std::string& uri) {
  char* scheme = g_uri_parse_scheme(uri.c_str());
  if (scheme == nullptr) return SE_ERR_NOASSOC;
  GAppInfo* app = g_app_info_get_default_for_uri_scheme(scheme);
  g_free(scheme);
  if (app == nullptr) return SE_ERR_NOASSOC;
  GList uris = {const_cast<char*>(uri.c_str()), nullptr, nullptr};
  const int result = g_app_info_launch_uris(app, &uris, nullptr, nullptr) ? kSuccess : SE_ERR_ASSOCINCOMPLETE;
  g_object_unref(app);
  return result;
}

bool IsOpenVerb(const char* verb) {
  if (verb == nullptr || *verb == '\0') return true;
  const std::string v = verb;
  if (v.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i)
    if ((v[i] | 0x20) != "open"[i]) return false;
  return true;
}

}  // namespace

int ShellExecuteA(void* owner, const char* verb, const std::string& file, const std::string& parameters,
                  const std::string& directory, int showCommand) {
  if (!IsOpenVerb(verb)) return SE_ERR_NOASSOC;
  if (file.empty()) return SE_ERR_FNF;
  // A plain name is the current folder's first (the file list keeps its
  // folder current, so a listed name is found there even when the folder
  // named as the working folder is another), then the working folder's.
  std::optional<std::string> host = platform::HostPath(file);
  struct stat st {};
  if (!platform::StartsAtDriveRoot(file) && !directory.empty() && (!host || ::stat(host->c_str(), &st) != 0)) {
    host = platform::HostPath(Joined(directory, file));
  }
  // A file of that name wins over a URI (Linux names may hold a colon).
  const bool found = host && ::stat(host->c_str(), &st) == 0;
  if (!found && IsUri(file)) return OpenUri(file);
  if (!host) return SE_ERR_PNF;
  if (!found) return SE_ERR_FNF;

  GFile* gfile = g_file_new_for_path(host->c_str());
  GFileInfo* fileInfo =
      g_file_query_info(gfile, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
  const char* contentType = fileInfo != nullptr ? g_file_info_get_content_type(fileInfo) : nullptr;
  GAppInfo* app = contentType != nullptr ? g_app_info_get_default_for_type(contentType, FALSE) : nullptr;
  int result = SE_ERR_NOASSOC;
  if (app != nullptr) {
    // GIO starts the application detached (it is reparented away from us),
    // so it never becomes our zombie.
    GList files = {gfile, nullptr, nullptr};
    result = g_app_info_launch(app, &files, nullptr, nullptr) ? kSuccess : SE_ERR_ASSOCINCOMPLETE;
    g_object_unref(app);
  }
  if (fileInfo != nullptr) g_object_unref(fileInfo);
  g_object_unref(gfile);
  return result;
}
