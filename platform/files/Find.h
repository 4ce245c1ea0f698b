#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/files/FileAttributes.h"
#include "platform/files/FileTime.h"
#include "platform/files/FolderAccess.h"

/// One entry of a folder listing.
struct WIN32_FIND_DATAA {
  std::uint32_t dwFileAttributes = 0;
  FILETIME ftCreationTime;  ///< the birth time where the file system keeps one, else the modification time
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  std::uint64_t nFileSize = 0;
  std::string cFileName;  ///< name without its folder, the host name's bytes
  /// The entry is a symbolic link; the fields above describe its target (the
  /// link itself when its target is missing).
  bool symbolicLink = false;
  /// The number of names the entry has (its target's for a link); for a
  /// folder on most Linux file systems 2 plus its sub-folders, 1 where the
  /// file system does not count them. 0 when not read (FindExInfoNames).
  std::uint32_t linkCount = 0;
};

/// A listing in progress.
struct FindSearch;
using HFIND = FindSearch*;

/// Starts listing the entries of a folder that match `pattern`: a drive path
/// whose last component may hold the wild cards * and ?, matched ignoring case.
/// `filter` chooses the entries by attribute: the hidden, system, volume and
/// folder bits that are not in it leave out every entry that has one of them.
/// So 0x27 lists files only (hidden and system included), 0x10 lists folders
/// and plain files but nothing hidden or system, and 0x3F lists everything.
/// Every folder but a drive's root also lists "." and ".." as folders.
/// "*.*" and "*" match every name, names without a dot included; a pattern
/// without wild cards finds the one entry LookUpName (DriveMap.h) finds for
/// it. Entries come in the folder's own order, "." and ".." first.
/// A symbolic link is listed with its target's attributes, size and times; a
/// link whose target is missing is listed as a plain file of its own.
/// Entries whose names hold a backslash are never listed (no drive path could
/// name them), and entries that vanish while the folder is read are left out.
/// Gives the first entry in `data`; nullptr when nothing matches or the
/// folder cannot be listed (GetLastError says which).
HFIND FindFirstFileA(const std::string& pattern, std::uint32_t filter, WIN32_FIND_DATAA& data);
/// How much of each entry FindFirstFileExA reads.
enum FINDEX_INFO_LEVELS {
  /// Every field, as FindFirstFileA gives them.
  FindExInfoStandard,
  /// The name, the folder bit, the hidden bit of a dot name and
  /// `symbolicLink` only, taken from the folder read's entry type (one
  /// status read of the entry itself where the file system gives no type);
  /// a symbolic link has no folder bit, whatever it points to. The filter
  /// goes by those bits alone. platform::EntryStatus reads the rest.
  FindExInfoNames,
};
/// Which entries FindFirstFileExA lists.
enum FINDEX_SEARCH_OPS {
  /// Those FindFirstFileA lists.
  FindExSearchNameMatch,
  /// Folders only (symbolic links to folders included): an entry the folder
  /// read says is no folder and no link is passed over unread.
  FindExSearchLimitToDirectories,
};
/// FindFirstFileA, reading as much of each entry as `info` says and listing
/// the entries `scope` says.
HFIND FindFirstFileExA(const std::string& pattern, std::uint32_t filter, FINDEX_INFO_LEVELS info,
                       FINDEX_SEARCH_OPS scope, WIN32_FIND_DATAA& data);
/// The next entry; false when there is none.
bool FindNextFileA(HFIND search, WIN32_FIND_DATAA& data);
/// Ends a listing.
bool FindClose(HFIND search);

namespace platform {

/// FindFirstFileExA that reads no entry yet: the listing of the folder, to be
/// gone through with FindNextWithin (or FindNextFileA); nullptr when the folder
/// cannot be listed (GetLastError says why).
HFIND FindOpenExA(const std::string& pattern, std::uint32_t filter, FINDEX_INFO_LEVELS info, FINDEX_SEARCH_OPS scope);
/// How FindNextWithin ended.
enum class FindStep {
  Found,   ///< `data` holds the next entry
  End,     ///< the folder has no more entries
  Paused,  ///< the budget is spent with nothing found; the listing goes on from there
};
/// FindNextFileA that reads at most `budget` more names from the folder (and
/// counts them off it), so that a long folder can be read in parts.
FindStep FindNextWithin(HFIND search, WIN32_FIND_DATAA& data, int& budget);

/// The status of the entry `name` of the folder `search` lists, read through
/// the open folder rather than by its path: the entry itself, so a symbolic
/// link is the link it is (its own size and times), never its target. The
/// attributes leave out the stored bits (hidden, system and archive as kept).
/// Nothing when the entry has gone.
std::optional<FileStatus> EntryStatus(HFIND search, const std::string& name);

/// FindFirstFileExA of every entry ("*.*") of the folder `name` of the
/// folder `parent` lists, opened through the open folder rather than by its
/// path: the walks' way down. A symbolic link is not opened (nullptr).
HFIND FindFirstFileInA(HFIND parent, const std::string& name, std::uint32_t filter, FINDEX_INFO_LEVELS info,
                       FINDEX_SEARCH_OPS scope, WIN32_FIND_DATAA& data);
/// EnterableFolder for the entry `name` of the folder `search` lists, asked
/// through the open folder: its identity when it is a folder (or a link to
/// one) that may be entered, nothing otherwise.
std::optional<FolderIdentity> EnterableEntry(HFIND search, const std::string& name);

}  // namespace platform
