#pragma once

#include <sys/types.h>
#include <memory>
#include <string>

#include "platform/system/UniqueFd.h"

namespace platform {

/// While one of these lives, the folders that file operations open stay
/// open between operations, so a paste of many files into one folder does
/// not open and check both folders again for each file. Each operation
/// still takes a kept folder only when its path names that very folder and
/// the folder still lies where it lay: for a path without links, the
/// kernel's change notices for the folders above it tell so; otherwise the
/// folder's kernel path and the path's target are looked at on each use.
/// The folders are closed when the last one goes, so nothing keeps a
/// removable drive busy after the paste.
class KeepFoldersOpen {
 public:
  KeepFoldersOpen();
  ~KeepFoldersOpen();
  KeepFoldersOpen(const KeepFoldersOpen&) = delete;
  KeepFoldersOpen& operator=(const KeepFoldersOpen&) = delete;

  /// For tests: false checks every kept folder on each use, as where the
  /// kernel gives no change notices.
  static void UseChangeNotices(bool use);
};

/// A folder open for the *at calls: its descriptor, its identity when it
/// was opened and its path with the links resolved.
struct OpenFolder {
  UniqueFd fd;
  dev_t dev = 0;
  ino_t ino = 0;
  std::string real;
};

/// The kept folder for a host path, if folders are being kept, one was kept
/// for that path, the path still names it and it still lies at its real
/// path; else none (and a stale one is let go).
std::shared_ptr<const OpenFolder> KeptFolder(const std::string& host);
/// Keeps a folder just opened for a host path, while folders are being kept.
void KeepFolder(const std::string& host, std::shared_ptr<const OpenFolder> folder);

}  // namespace platform
