#include "platform/operations/Trash.h"

#include <gio/gio.h>
#include <cerrno>

namespace platform {

int MoveToTrash(const std::string& hostPath) {
  GFile* file = g_file_new_for_path(hostPath.c_str());
  GError* error = nullptr;
  // GIO's local trash renames into the home trash, or into the trash folder
  // at the top of the item's own file system; it never deletes.
  const gboolean done = g_file_trash(file, nullptr, &error);
  g_object_unref(file);
  if (done) return 0;
  int code = EIO;
  if (error && error->domain == G_IO_ERROR) {
    switch (error->code) {
      case G_IO_ERROR_NOT_SUPPORTED: code = ENOTSUP; break;
      case G_IO_ERROR_NOT_FOUND: code = ENOENT; break;
      case G_IO_ERROR_PERMISSION_DENIED: code = EACCES; break;
      default: break;
    }
  }
  if (error) g_error_free(error);
  return code;
}

}  // namespace platform
