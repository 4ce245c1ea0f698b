#pragma once

#include <string>
#include <vector>

/// The command-line tail the program starts with, made from the arguments
/// after the program's name: they are joined with one blank between them, so
/// a folder with a blank that was split into two arguments is whole again,
/// and an argument's own blanks (leading, inner, trailing) and double quotes
/// stay as they are. A tail that starts with "/" is a host path: when a drive
/// holds it, the tail is its drive path (C:\home\me for /home/me); otherwise
/// it stays as it is, and opening it fails as any folder that is not there.
std::string CommandLineTail(const std::vector<std::string>& arguments);
