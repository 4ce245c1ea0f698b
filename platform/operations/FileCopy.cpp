#include "platform/operations/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>

#include "platform/operations/ItemPath.h"
#include "platform/operations/ItemTransfer.h"
#include "platform/system/LastError.h"

using platform::Collision;
using platform::ItemPath;

namespace {

// Both names are whole item paths here: a trailing backslash does not mean
// "into this folder".
int OpenBoth(const std::string& existing, const std::string& target, ItemPath* from, ItemPath* to) {
  if (ItemPath::NamesFolder(target)) return EINVAL;
  if (const int error = ItemPath::ForItem(existing, from)) return error;
  if (const int error = ItemPath::ForItem(target, to, from->DriveRoots())) return error;
  return to->Name().empty() ? EINVAL : 0;
}

bool Done(int error) {
  if (error) platform::SetLastErrorFromErrno(error);
  return error == 0;
}

}  // namespace

bool MoveFileA(const std::string& existingFileName, const std::string& newFileName) {
  ItemPath from, to;
  int error = OpenBoth(existingFileName, newFileName, &from, &to);
  if (!error) error = platform::MoveItem(from, to, Collision::Fail, false);
  return Done(error);
}

bool CopyFileA(const std::string& existingFileName, const std::string& newFileName, bool failIfExists) {
  ItemPath from, to;
  int error = OpenBoth(existingFileName, newFileName, &from, &to);
  struct stat st {};
  if (!error && from.Name().empty()) error = EISDIR;
  if (!error && ::fstatat(from.Folder(), from.Name().c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) error = errno;
  if (!error && S_ISDIR(st.st_mode)) error = EISDIR;
  if (!error) error = platform::CopyItem(from, to, failIfExists ? Collision::Fail : Collision::Replace);
  return Done(error);
}
