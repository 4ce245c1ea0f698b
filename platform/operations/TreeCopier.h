#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <string>
#include <vector>

#include "platform/system/UniqueFd.h"

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

  /// Opens the entry `name` of the open folder `from`, a regular file when
  /// the caller looked, as the file that CopyOpenFileAs and
  /// CopyOpenFileUnnamed copy. Sets `*regular` false and keeps nothing open
  /// when the entry is no regular file by now (whatever took its place is
  /// opened without blocking and never read). Returns 0 or an errno value.
  int OpenFile(int from, const std::string& name, bool* regular);
  /// Whether the open file is small enough to be made under its new name
  /// from the start: its data goes in one call, so an unfinished copy stands
  /// under the name only for that call and the few that set its attributes.
  bool OpenFileIsSmall() const;
  /// Copies the open file, data and attributes, to the new entry `newName`
  /// of the open folder `to`, made under that name. EEXIST when the name is
  /// taken, with nothing read yet: the next name may be tried. On any other
  /// failure the new entry is removed again. Returns 0 or an errno value.
  int CopyOpenFileAs(int to, const std::string& newName);
  /// Copies the open file into a new file of the open folder `to` that has
  /// no name yet (O_TMPFILE), with its data and attributes, and gives it to
  /// `file` for Link. Leaves `file` empty and returns 0 where the folder's
  /// file system makes no unnamed files: the caller then copies under a
  /// name. Returns 0 or an errno value; a failure leaves nothing.
  int CopyOpenFileUnnamed(int to, UniqueFd* file);
  /// Gives a file that CopyOpenFileUnnamed made the name `newName` in the
  /// folder `to` it was made in. Never replaces: EEXIST when the name is
  /// taken. EOPNOTSUPP when this process cannot name such files (no /proc,
  /// and no right to link a descriptor); from then on CopyOpenFileUnnamed
  /// declines.
  static int Link(int file, int to, const std::string& newName);

  /// For tests: false makes CopyOpenFileUnnamed decline, as on a file system
  /// without unnamed files.
  static void AllowUnnamedFiles(bool allow);
  /// The largest file that OpenFileIsSmall takes: one chunk, copied in one
  /// call either by the kernel or by one read and one write.
  static constexpr long long kLargestSmallFile = 1 << 20;
  /// For tests: another bound for OpenFileIsSmall (-1: no file is small).
  static void SetLargestSmallFile(long long bytes);
  /// For tests: called right before a copied file takes its new name (by
  /// Link or by CopyOpenFileAs).
  static void SetBeforeNaming(void (*hook)(int folder, const char* name));

 private:
  int CopyEntry(int from, const char* name, unsigned char type, int to, const char* newName);
  int CopyFile(int source, const struct stat& st, int to, const char* newName);
  int CopyFolder(int source, const struct stat& st, int to, const char* newName);
  int Fill(int source, const struct stat& st, int target, mode_t made);
  int CopyData(int source, int target, const struct stat& st);
  int Compare(int source, int target);
  int CopyAttributes(int source, int target, const struct stat& st, mode_t made);
  char* Buffer();

  Options options_;
  UniqueFd file_;  // what OpenFile opened, and its status then
  struct stat fileStatus_ {};
  std::vector<char> buffer_;
  bool top_ = true;   // the new entry itself is not made yet
  dev_t newDev_ = 0;  // the new top folder, which a copy into a folder below
  ino_t newIno_ = 0;  // its source (through a bind mount) must never copy again
};

}  // namespace platform
