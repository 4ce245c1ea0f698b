#pragma once

// Test helper for window tests: a clipboard of the test's own, so no test
// reads or changes the user's clipboard.

#include "framework/core/Clipboard.h"

namespace testing_support {

/// For its lifetime, Clipboard() keeps its text in the test process,
/// starting empty.
class PrivateClipboard {
 public:
  PrivateClipboard() { Clipboard()->SetPrivateStore(true); }
  ~PrivateClipboard() { Clipboard()->SetPrivateStore(false); }
  PrivateClipboard(const PrivateClipboard&) = delete;
  PrivateClipboard& operator=(const PrivateClipboard&) = delete;
};

}  // namespace testing_support
