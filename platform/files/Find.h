#pragma once

#include <cstdint>
#include <string>

#include "platform/files/FileAttributes.h"
#include "platform/files/FileTime.h"

/// One entry of a folder listing.
struct WIN32_FIND_DATAA {
  std::uint32_t dwFileAttributes = 0;
  FILETIME ftCreationTime;  ///< the birth time where the file system keeps one, else the modification time
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  std::uint64_t nFileSize = 0;
  std::string cFileName;  ///< name without its folder, the host name's bytes
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
/// How FindFirstFileExA narrows a search.
enum FINDEX_SEARCH_OPS { FindExSearchNameMatch, FindExSearchLimitToDirectories };
/// FindFirstFileA; with FindExSearchLimitToDirectories the search gives only
/// the entries that are folders (symbolic links to folders included), and
/// passes over the others without looking at them, so that the folders of a
/// folder of many files are found quickly.
HFIND FindFirstFileExA(const std::string& pattern, FINDEX_SEARCH_OPS searchOp, std::uint32_t filter,
                       WIN32_FIND_DATAA& data);
/// The next entry; false when there is none.
bool FindNextFileA(HFIND search, WIN32_FIND_DATAA& data);
/// Ends a listing.
bool FindClose(HFIND search);
