#pragma once

#include <cstdint>
#include <filesystem>

namespace testing_support {

/// A tmpfs of `bytes` mounted on a folder (made when missing), in a mount
/// namespace of this test process alone, so it vanishes with the process
/// whatever happens. Mounted() is false where the test may not mount (it
/// then skips: mounting needs root). Unmounted when destroyed.
class SmallTmpfs {
 public:
  SmallTmpfs(const std::filesystem::path& where, std::uint64_t bytes);
  ~SmallTmpfs();
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool Mounted() const { return mounted_; }
  const std::filesystem::path& Path() const { return path_; }
  /// Fills the file system with one file until no byte more fits, then
  /// frees `pages` pages of it again.
  void Fill(int pages = 0) const;

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
};

}  // namespace testing_support
