#pragma once

#include <map>
#include <string>

namespace testing_support {

/// Runs the tests a filter names in a child copy of this test program, with
/// this process's environment and the given variables set on top, and waits
/// for it. Returns whether the child ran and all its tests passed. For cases
/// that need a process of their own (GIO reads the desktop folders once per
/// process).
bool RunChildTests(const std::string& filter, const std::map<std::string, std::string>& variables);

}  // namespace testing_support
