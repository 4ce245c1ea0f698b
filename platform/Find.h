#pragma once

#include <cstdint>
#include <string>

constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr std::uint32_t FILE_ATTRIBUTE_VOLUME = 0x08;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
/// Every attribute: a filter that keeps every entry.
constexpr std::uint32_t FILE_ATTRIBUTE_ANY = 0x3F;

/// A point in time: 100-nanosecond intervals since 1 January 1601, UTC
/// (local time after FileTimeToLocalFileTime).
struct FILETIME {
  std::int64_t ticks = 0;
};

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
/// Gives the first entry in `data`; nullptr when nothing matches or the
/// folder cannot be listed.
HFIND FindFirstFileA(const std::string& pattern, std::uint32_t filter, WIN32_FIND_DATAA& data);
/// The next entry; false when there is none.
bool FindNextFileA(HFIND search, WIN32_FIND_DATAA& data);
/// Ends a listing.
bool FindClose(HFIND search);
