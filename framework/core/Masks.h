#pragma once

#include <string>

/// Whether a file name matches a file-name mask, the whole name against the
/// whole mask: "*" matches any run of characters (none included), "?" one
/// character ("?" right after a "*" adds nothing, so "*?" is "*"), "[...]"
/// one character of a set ("a-f" a range, "!" first the complement), and
/// every other character, "." included, itself, the letters a to z in either
/// case (with `CaseSensitive`, only in the mask's case). So "*.*" matches only
/// names with a dot. Characters are UTF-8
/// sequences; bytes that are not valid UTF-8 count one each.
///
/// Raises Exception "'<mask>' is an invalid mask at (<n>)" for a set that is
/// empty or not closed, a "-" with no character before it in a set, or more
/// than 30 runs of "*"; n counts characters from 1 and is where the scan of
/// the mask stopped.
bool MatchesMask(const std::string& Filename, const std::string& Mask, bool CaseSensitive = false);
