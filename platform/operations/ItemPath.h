#pragma once

#include <sys/types.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct OpenFolder;

/// One item that a file operation acts on or creates: the folder that holds
/// it, open for the *at calls, and its name in that folder. Built only from a
/// full drive path of a mapped drive ("C:\Data\a.txt") with no empty, "." or
/// ".." component and no "/" or NUL in it, whose folder lies inside a mapped
/// drive once its links are resolved; so nothing outside the drives is ever
/// touched, and the item's own name is never followed as a link.
class ItemPath {
 public:
  /// The mapped drives' roots with their links resolved, each found when
  /// first needed and then kept for the items of one operation (a root's
  /// links may change between operations, so never longer).
  class Roots {
   public:
    Roots();
    /// Whether a real host path lies in (or is) a mapped drive's root.
    bool Hold(const std::string& realPath) const;
    /// Whether a real host path is a mapped drive's root.
    bool IsRoot(const std::string& realPath) const;

   private:
    const std::string& Real(std::size_t index) const;
    std::vector<std::string> roots_;
    mutable std::vector<std::optional<std::string>> real_;
  };

  /// The item a drive path names; a trailing backslash is allowed. A drive's
  /// root gives an item with an empty name. `roots` are shared by the items
  /// of one operation (fresh ones when empty). Returns 0 or an errno value.
  static int ForItem(const std::string& drivePath, ItemPath* out, std::shared_ptr<const Roots> roots = {});
  /// A new item `name` inside the folder a drive path names.
  static int InFolder(const std::string& folderDrivePath, const std::string& name, ItemPath* out,
                      std::shared_ptr<const Roots> roots = {});
  /// Whether the drive path ends with a backslash (it names a folder as such).
  static bool NamesFolder(const std::string& drivePath);

  int Folder() const;
  /// The item's name in its folder: the existing entry's own spelling where
  /// the drive path matched it only ignoring case (looked up when first asked).
  const std::string& Name() const;
  /// The name as the drive path spells it (what a new item is called).
  const std::string& SpelledName() const { return spelled_; }
  /// The containing folder's host path with its links resolved.
  const std::string& FolderRealPath() const;
  /// The host path of the item (links in its folder resolved, its name not).
  std::string RealPath() const;
  /// The kind and permission bits of the item's entry (its own, a link not
  /// followed): as seen when its name was looked up in this operation, else
  /// looked at now. Returns 0 or an errno value.
  int Mode(mode_t* mode) const;
  /// Whether an entry whose name equals `name` ignoring case is spelled
  /// otherwise (drive paths are case-blind). An entry spelled exactly so is
  /// left to the call that makes the name, which fails on it anyway.
  bool TakenIgnoringCase(const std::string& name) const;
  /// Whether the item is a mapped drive's root folder.
  bool IsDriveRoot() const;
  /// The roots this item was checked against, for the next item of the same
  /// operation.
  const std::shared_ptr<const Roots>& DriveRoots() const { return roots_; }

 private:
  static int Open(const std::string& folderDrivePath, const std::string& spelledHost, ItemPath* out,
                  std::shared_ptr<const Roots> roots);
  std::shared_ptr<const OpenFolder> folder_;
  std::string folderHost_;  // as the drive map found it, links not resolved
  mutable std::optional<std::string> name_;
  mutable std::optional<mode_t> mode_;
  std::string spelled_;
  std::shared_ptr<const Roots> roots_;
};

}  // namespace platform
