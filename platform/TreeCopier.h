#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

struct stat;

namespace platform {

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
