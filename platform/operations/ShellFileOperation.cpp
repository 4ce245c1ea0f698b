#include "platform/operations/ShellFileOperation.h"

#include <cerrno>
#include <vector>

#include "platform/operations/ItemPath.h"
#include "platform/operations/ItemTransfer.h"
#include "platform/system/LastError.h"

using platform::Collision;
using platform::ItemPath;

namespace {

// The paths of a NUL-separated list that ends with an empty entry (or the
// end of the string).
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> paths;
  std::string::size_type start = 0;
  while (start < list.size()) {
    std::string::size_type end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end == start) break;
    paths.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

int Transfer(unsigned function, unsigned flags, const std::string& source, const std::string& destination) {
  ItemPath from, to;
  if (const int error = ItemPath::ForItem(source, &from)) return error;
  if (from.Name().empty()) return EPERM;  // a drive's root
  // Both items are checked against the same drive roots, resolved once.
  const int error = ItemPath::NamesFolder(destination)
                        ? ItemPath::InFolder(destination, from.Name(), &to, from.DriveRoots())
                        : ItemPath::ForItem(destination, &to, from.DriveRoots());
  if (error) return error;
  const Collision collision =
      function != FO_RENAME && (flags & FOF_RENAMEONCOLLISION) ? Collision::Rename : Collision::Fail;
  if (function == FO_COPY) return platform::CopyItem(from, to, collision);
  return platform::MoveItem(from, to, collision, function == FO_MOVE);
}

int Run(const SHFILEOPSTRUCT& operation) {
  const std::vector<std::string> sources = SplitList(operation.pFrom);
  if (sources.empty()) return EINVAL;
  if (operation.wFunc == FO_DELETE) {
    for (const std::string& source : sources) {
      ItemPath item;
      if (const int error = ItemPath::ForItem(source, &item)) return error;
      if (const int error = platform::DeleteItem(item, (operation.fFlags & FOF_ALLOWUNDO) != 0)) return error;
    }
    return 0;
  }
  if (operation.wFunc != FO_COPY && operation.wFunc != FO_MOVE && operation.wFunc != FO_RENAME) return EINVAL;
  const std::vector<std::string> destinations = SplitList(operation.pTo);
  if (destinations.size() != sources.size()) return EINVAL;
  for (std::size_t i = 0; i < sources.size(); ++i)
    if (const int error = Transfer(operation.wFunc, operation.fFlags, sources[i], destinations[i])) return error;
  return 0;
}

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCT* operation) {
  if (!operation) return static_cast<int>(ERROR_INVALID_PARAMETER);
  const int error = Run(*operation);
  operation->fAnyOperationsAborted = error != 0;
  platform::SetLastErrorFromErrno(error);
  return error ? static_cast<int>(GetLastError()) : 0;
}
