#pragma once

#include <string>

/// Show commands for ShellExecuteA.
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

/// ShellExecuteA's failures (results of 32 or less).
inline constexpr int SE_ERR_FNF = 2;               ///< the file does not exist
inline constexpr int SE_ERR_PNF = 3;               ///< the path cannot be a drive path of the drive map
inline constexpr int SE_ERR_ASSOCINCOMPLETE = 27;  ///< the associated application could not be started
inline constexpr int SE_ERR_NOASSOC = 31;          ///< no application for the file's type, or a verb other than "open"

/// Carries out a verb on a file the way the desktop does. Only "open" (any
/// case; a null or empty verb means it) is known: the file is opened with the
/// desktop's default application for its content type (GIO: the type from
/// the file's name and content, its default application from the
/// freedesktop MIME associations), which gets the file's host path. `file`
/// is a drive path; one that does not start with a drive letter, colon and
/// backslash is looked for in the current folder first, then, when it is not
/// there, in `directory` (a drive path). `parameters` are for programs and are
/// not used for documents; `owner` and `showCommand` leave it to the
/// application how it shows itself. A `file` that names no file and starts
/// with a URI scheme of two or more characters and a colon
/// ("https://example.org/", "mailto:someone@example.org") goes to the
/// desktop's default application for that scheme (GIO: the
/// x-scheme-handler association), which gets the URI as it stands; no such
/// application is SE_ERR_NOASSOC. The application starts in this process's
/// current folder (or the folder its desktop entry names) and is not our
/// child: nothing of it stays with us.
///
/// Greater than 32 on success, else SE_ERR_FNF, SE_ERR_PNF, SE_ERR_NOASSOC or
/// SE_ERR_ASSOCINCOMPLETE.
int ShellExecuteA(void* owner, const char* verb, const std::string& file, const std::string& parameters,
                  const std::string& directory, int showCommand);
