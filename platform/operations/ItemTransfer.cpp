#include "platform/operations/ItemTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "platform/operations/CopyName.h"
#include "platform/operations/ItemPath.h"
#include "platform/operations/Trash.h"
#include "platform/operations/TreeCopier.h"
#include "platform/operations/TreeRemover.h"
#include "platform/system/UniqueFd.h"

namespace platform {

namespace {

constexpr int kMaxCopyNumber = 9999;
constexpr int kTempAttempts = 16;

bool Unsupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS; }

std::string TempName() {
  static std::mt19937_64 random{std::random_device{}()};
  char name[40];
  std::snprintf(name, sizeof name, ".pellix-%016llx.part", static_cast<unsigned long long>(random()));
  return name;
}

bool Inside(const std::string& path, const std::string& folder) {
  return path.compare(0, folder.size(), folder) == 0 && (path.size() == folder.size() || path[folder.size()] == '/');
}

// A rename that never replaces what is there (EEXIST instead).
int RenameNoReplace(int fromFolder, const std::string& from, int toFolder, const std::string& to) {
  if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int error = errno;
  if (error != EINVAL && !Unsupported(error)) return error;
  // The file system lacks the flag. A new hard link cannot replace either.
  struct stat st {};
  if (::fstatat(fromFolder, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) {
    if (::linkat(fromFolder, from.c_str(), toFolder, to.c_str(), 0) == 0) {
      if (::unlinkat(fromFolder, from.c_str(), 0) == 0) return 0;
      error = errno;
      ::unlinkat(toFolder, to.c_str(), 0);
      return error;
    }
    error = errno;
    if (error != EPERM && error != EMLINK && !Unsupported(error)) return error;
  }
  // Nor links (FAT): a rename checked just before.
  if (::fstatat(toFolder, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return ::renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0 ? 0 : errno;
}

// Renames the entry `from` of `fromFolder` to the new item `to`, trying the
// collision names where the name is taken. The name used goes to `placed`.
int Place(int fromFolder, const std::string& from, const ItemPath& to, Collision collision, bool isFolder,
          std::string* placed) {
  for (int number = 0; number <= kMaxCopyNumber; ++number) {
    // A file that replaces takes the existing entry's name; a new item keeps
    // the spelling it was asked for.
    const std::string& wanted = collision == Collision::Replace ? to.Name() : to.SpelledName();
    const std::string name = number == 0 ? wanted : CollisionName(wanted, isFolder, number);
    int error = 0;
    if (collision == Collision::Replace) {
      error = ::renameat(fromFolder, from.c_str(), to.Folder(), name.c_str()) == 0 ? 0 : errno;
    } else {
      error = to.TakenIgnoringCase(name) ? EEXIST : RenameNoReplace(fromFolder, from, to.Folder(), name);
      if (error == EEXIST && collision == Collision::Rename) continue;
    }
    if (!error) *placed = name;
    return error;
  }
  return EEXIST;
}

// Copies `from` under a fresh temporary name in the destination folder.
int CopyToTemp(TreeCopier& copier, const ItemPath& from, const ItemPath& to, std::string* temp) {
  int error = EEXIST;
  for (int attempt = 0; attempt < kTempAttempts && error == EEXIST; ++attempt) {
    *temp = TempName();
    error = copier.Copy(from.Folder(), from.Name(), to.Folder(), *temp);
  }
  return error;
}

int Check(const ItemPath& from, const ItemPath& to, mode_t* mode) {
  if (from.Name().empty()) return EPERM;
  if (const int error = from.Mode(mode)) return error;
  // Only a folder can be a drive's root.
  if (S_ISDIR(*mode) && from.IsDriveRoot()) return EPERM;
  // Into itself or below it the copy would never end.
  if (S_ISDIR(*mode) && Inside(to.FolderRealPath(), from.RealPath())) return EINVAL;
  return 0;
}

// Copies a regular file so that a failure at any point leaves nothing. A
// small file is made under the first free name and written in one call; a
// larger one goes into an unnamed file of the destination folder and is
// linked in under the first free name, one change to the folder once it is
// whole. `*done` is false when the source is no regular file, or this file
// system or process has no unnamed files (the caller then copies under a
// temporary name).
int CopyFile(TreeCopier& copier, const ItemPath& from, const ItemPath& to, Collision collision, bool* done) {
  *done = false;
  bool regular = false;
  if (const int error = copier.OpenFile(from.Folder(), from.Name(), &regular)) return error;
  if (!regular) return 0;
  const bool small = copier.OpenFileIsSmall();
  UniqueFd file;
  if (!small) {
    if (const int error = copier.CopyOpenFileUnnamed(to.Folder(), &file)) return error;
    if (!file.Valid()) return 0;
  }
  for (int number = 0; number <= kMaxCopyNumber; ++number) {
    const std::string name = number == 0 ? to.SpelledName() : CollisionName(to.SpelledName(), false, number);
    int error = EEXIST;
    if (!to.TakenIgnoringCase(name))
      error = small ? copier.CopyOpenFileAs(to.Folder(), name) : TreeCopier::Link(file.Get(), to.Folder(), name);
    if (error == EEXIST && collision == Collision::Rename) continue;
    if (error == EOPNOTSUPP && !small) return 0;
    *done = true;
    return error;
  }
  *done = true;
  return EEXIST;
}

}  // namespace

int CopyItem(const ItemPath& from, const ItemPath& to, Collision collision) {
  mode_t mode = 0;
  if (const int error = Check(from, to, &mode)) return error;
  if (collision == Collision::Replace && S_ISDIR(mode)) return EISDIR;
  if (collision == Collision::Fail) {
    // Fails early; the rename into place decides without a race.
    struct stat there {};
    if (::fstatat(to.Folder(), to.SpelledName().c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 ||
        to.TakenIgnoringCase(to.SpelledName()))
      return EEXIST;
  }
  TreeCopier copier({});
  if (collision != Collision::Replace && S_ISREG(mode)) {
    bool done = false;
    const int error = CopyFile(copier, from, to, collision, &done);
    if (done || error) return error;
  }
  std::string temp;
  if (const int error = CopyToTemp(copier, from, to, &temp)) return error;
  std::string placed;
  const int error = Place(to.Folder(), temp, to, collision, S_ISDIR(mode), &placed);
  if (error) RemoveTree(to.Folder(), temp);
  return error;
}

int MoveItem(const ItemPath& from, const ItemPath& to, Collision collision, bool treesAcrossFileSystems) {
  mode_t mode = 0;
  if (const int error = Check(from, to, &mode)) return error;
  struct stat fromFolder {
  }, toFolder{};
  if (::fstat(from.Folder(), &fromFolder) != 0 || ::fstat(to.Folder(), &toFolder) != 0) return errno;
  if (fromFolder.st_dev == toFolder.st_dev && fromFolder.st_ino == toFolder.st_ino && from.Name() == to.Name())
    return 0;
  std::string placed;
  const bool isFolder = S_ISDIR(mode);
  int error = Place(from.Folder(), from.Name(), to, collision == Collision::Replace ? Collision::Fail : collision,
                    isFolder, &placed);
  if (error != EXDEV) return error;
  if (isFolder && !treesAcrossFileSystems) return EXDEV;

  // Across file systems: copy, check the copy, make it durable, and only
  // then let the source go.
  TreeCopier copier({.verify = true, .keepOwner = true});
  std::string temp;
  if ((error = CopyToTemp(copier, from, to, &temp))) return error;
  if (::syncfs(to.Folder()) != 0) {
    error = errno;
    RemoveTree(to.Folder(), temp);
    return error;
  }
  if ((error = Place(to.Folder(), temp, to, collision == Collision::Replace ? Collision::Fail : collision, isFolder,
                     &placed))) {
    RemoveTree(to.Folder(), temp);
    return error;
  }
  if (::fsync(to.Folder()) != 0) {
    error = errno;
    RemoveTree(to.Folder(), placed);
    return error;
  }
  if (!isFolder) {
    if (::unlinkat(from.Folder(), from.Name().c_str(), 0) == 0) return 0;
    // The source stays; so must nothing else.
    error = errno;
    ::unlinkat(to.Folder(), placed.c_str(), 0);
    return error;
  }
  // A tree that cannot be removed whole stays partly; its copy is whole.
  return RemoveTree(from.Folder(), from.Name());
}

int DeleteItem(const ItemPath& item, bool recycle) {
  if (item.IsDriveRoot()) return EPERM;
  mode_t mode = 0;
  if (const int error = item.Mode(&mode)) return error;
  if (recycle) return MoveToTrash(item.RealPath());
  return RemoveTree(item.Folder(), item.Name());
}

}  // namespace platform
