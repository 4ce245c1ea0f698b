#pragma once

namespace platform {

class ItemPath;

/// What happens when the new item's name is taken.
enum class Collision {
  Fail,     ///< the operation fails
  Rename,   ///< the new item takes the first free CollisionName
  Replace,  ///< a file replaces the file there (never a folder)
};

/// Copies a file, link or whole folder to the new item `to`, never
/// replacing (unless `collision` is Replace), so that a failure leaves
/// nothing behind: a small file is made under its name and removed again on
/// a failure, a larger one is written unnamed and linked in when whole, and
/// anything else is made under a temporary name and renamed into place. A
/// folder is never copied into itself or below.
/// Returns 0 or an errno value.
int CopyItem(const ItemPath& from, const ItemPath& to, Collision collision);

/// Moves an item to the new item `to`: a rename that never replaces on one
/// file system; across file systems a copy that is checked whole and made
/// durable before the source goes (a folder only when
/// `treesAcrossFileSystems`). Moving an item onto itself does nothing and
/// succeeds. Returns 0 or an errno value.
int MoveItem(const ItemPath& from, const ItemPath& to, Collision collision, bool treesAcrossFileSystems);

/// Deletes an item for good, or recycles it into the trash; a drive's root
/// is refused. Returns 0 or an errno value.
int DeleteItem(const ItemPath& item, bool recycle);

}  // namespace platform
