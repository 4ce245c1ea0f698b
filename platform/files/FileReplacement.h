#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/system/UniqueFd.h"

namespace platform {

/// A file written anew beside the one it replaces (its name and ".new-" and
/// six letters), which takes the old file's place only when it is complete
/// and on the disk: a reader, or the next start after a crash, finds the old
/// file or the new one, never a part of one. A symbolic link is followed, so
/// its target is replaced and the link stays a link.
class FileReplacement {
 public:
  /// Starts replacing the file a drive path names. Nothing when the name is
  /// a folder or another file that is not a regular one, when the file may
  /// not be written (its owner's write permission is off, or the user may not
  /// write it), or when no new file can be made beside it. New files that an
  /// earlier writer was killed before finishing are removed first. When the
  /// new file could not be made, `error` (unless null) receives the system's
  /// error number, else 0.
  static std::unique_ptr<FileReplacement> Begin(const std::string& drivePath, int* error = nullptr);
  /// Removes the new file unless it took the old file's place.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  /// Appends to the new file, handing the bytes to the system at once. After
  /// a failed write nothing more is written and Commit fails.
  bool Write(const std::string& text);
  /// Syncs the new file to the disk and puts it in the old file's place.
  /// False when a write, the sync or the rename failed: the old file (or
  /// none) then stays, and the new file is removed.
  bool Commit();

  /// For tests, a stand-in for a process killed while it writes: asked before
  /// every step that changes the disk (making the new file, each write, the
  /// sync, the rename, a removal, each step of a rewrite in place). When it
  /// answers false, that step and every later one of the same replacement are
  /// left undone, whatever was done stays on the disk, and the replacement
  /// fails. An empty function (the default) lets every step run.
  static void SetInterruption(std::function<bool()> proceed);

 private:
  FileReplacement(std::string target, std::string temp, UniqueFd fd);
  bool Proceed();

  std::string target_;
  std::string temp_;
  UniqueFd fd_;
  bool failed_ = false;
  bool stopped_ = false;
  bool done_ = false;
};

/// Writes a whole file so that no reader ever sees it half written, through
/// a FileReplacement: one new file, one sync, one rename. The old file's
/// permissions are kept. Where the folder may not be written but the file
/// may, the file is rewritten in place instead (the whole text is known
/// before its first byte is written). A file that may not be written is left
/// as it is and the result is false.
bool ReplaceFileContents(const std::string& drivePath, const std::string& contents);

}  // namespace platform
