#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

struct stat;

namespace platform {

class UniqueFd;

/// Copies one entry of a folder, a whole tree for a folder, to a new name.
/// Files keep their mode, modification time and "user.DOSATTRIB" attribute;
/// links are copied as links and never followed; fifos, sockets and devices
/// are made anew. Large files go through the kernel (copy_file_range).
class TreeCopier {
 public:
  struct Options {
    /// Read every copied file back and compare it with its source, and fail
    /// when a source changed while it was copied (a move across file systems
    /// removes the source only after this).
    bool verify = false;
    /// Give the copies the owner and group of their sources where permitted.
    bool keepOwner = false;
  };
  explicit TreeCopier(Options options) : options_(options) {}

  /// Copies the entry `name` of the open folder `from` to the new entry
  /// `newName` of the open folder `to`. Returns 0 or an errno value (EEXIST
  /// when `newName` is taken); on failure nothing of the new entry remains.
  int Copy(int from, const std::string& name, int to, const std::string& newName);

  /// Copies the regular file `name` of the open folder `from` into a new
  /// file of the open folder `to` that has no name yet (O_TMPFILE), with its
  /// data and attributes, and gives it to `file` for Link. Leaves `file`
  /// empty and returns 0 when the entry is no regular file or the folder's
  /// file system makes no unnamed files: the caller then copies under a name.
  /// Returns 0 or an errno value; a failure leaves nothing.
  int CopyUnnamed(int from, const std::string& name, int to, UniqueFd* file);
  /// Gives a file that CopyUnnamed made the name `newName` in the folder
  /// `to` it was made in. Never replaces: EEXIST when the name is taken.
  /// EOPNOTSUPP when this process cannot name such files (no /proc, and no
  /// right to link a descriptor); from then on CopyUnnamed declines.
  static int Link(int file, int to, const std::string& newName);

  /// For tests: false makes CopyUnnamed decline, as on a file system without
  /// unnamed files.
  static void AllowUnnamedFiles(bool allow);
  /// For tests: called right before each Link gives a file its name.
  static void SetBeforeLink(void (*hook)(int folder, const char* name));

 private:
  int CopyEntry(int from, const char* name, unsigned char type, int to, const char* newName);
  int CopyFile(int source, const struct stat& st, int to, const char* newName);
  int CopyFolder(int source, const struct stat& st, int to, const char* newName);
  int CopyData(int source, int target, const struct stat& st);
  int Compare(int source, int target);
  int CopyAttributes(int source, int target, const struct stat& st);
  char* Buffer();

  Options options_;
  std::vector<char> buffer_;
  bool top_ = true;   // the new entry itself is not made yet
  dev_t newDev_ = 0;  // the new top folder, which a copy into a folder below
  ino_t newIno_ = 0;  // its source (through a bind mount) must never copy again
};

}  // namespace platform
