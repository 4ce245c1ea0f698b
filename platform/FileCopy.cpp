#include "FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "ItemPath.h"
#include "ItemTransfer.h"

using platform::Collision;
using platform::ItemPath;

namespace {

// Both names are whole item paths here: a trailing backslash does not mean
// "into this folder".
bool OpenBoth(const std::string& existing, const std::string& target, ItemPath* from, ItemPath* to) {
  if (ItemPath::NamesFolder(target)) return false;
  return ItemPath::ForItem(existing, from) == 0 && ItemPath::ForItem(target, to) == 0 && !to->Name().empty();
}

}  // namespace

bool MoveFileA(const std::string& existingFileName, const std::string& newFileName) {
  ItemPath from, to;
  if (!OpenBoth(existingFileName, newFileName, &from, &to)) return false;
  return platform::MoveItem(from, to, Collision::Fail, false) == 0;
}

bool CopyFileA(const std::string& existingFileName, const std::string& newFileName, bool failIfExists) {
  ItemPath from, to;
  if (!OpenBoth(existingFileName, newFileName, &from, &to)) return false;
  struct stat st {};
  if (from.Name().empty() || ::fstatat(from.Folder(), from.Name().c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
      S_ISDIR(st.st_mode))
    return false;
  return platform::CopyItem(from, to, failIfExists ? Collision::Fail : Collision::Replace) == 0;
}
