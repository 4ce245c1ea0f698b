#pragma once

#include <sys/stat.h>
#include <sys/xattr.h>
#include <filesystem>
#include <set>
#include <string>

#include "platform/operations/ShellFileOperation.h"
#include "tests/support/TempDrive.h"

namespace fileops_test {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::WriteFile;

inline bool Exists(const fs::path& path) { return fs::symlink_status(path).type() != fs::file_type::not_found; }

/// The names in a folder, sorted.
inline std::string Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : " | ") + name;
  return text;
}

inline std::string DosAttributes(const fs::path& path) {
  char value[64];
  const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
  return n < 0 ? std::string() : std::string(value, static_cast<std::size_t>(n));
}

/// The result of one shell operation: its return value and the aborted flag.
struct Outcome {
  int result;
  bool aborted;
};

/// One shell operation on single paths, as the file list builds it.
inline Outcome Shell(unsigned function, const std::string& from, const std::string& to, unsigned flags) {
  SHFILEOPSTRUCT op;
  op.wFunc = function;
  op.pFrom = from + std::string(2, '\0');
  op.pTo = to.empty() ? std::string() : to + std::string(2, '\0');
  op.fFlags = flags;
  op.fAnyOperationsAborted = !op.fAnyOperationsAborted;  // the call must set it either way
  const int result = SHFileOperationA(&op);
  return {result, op.fAnyOperationsAborted};
}

// The flags the file list passes.
constexpr unsigned kFileFlags = 0x8D;
constexpr unsigned kFolderFlags = 0x0D;
constexpr unsigned kDeleteFlags = 0x14;
constexpr unsigned kRecycleFlags = 0x54;

}  // namespace fileops_test
