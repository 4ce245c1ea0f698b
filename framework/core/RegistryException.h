#pragma once

#include "framework/core/Exception.h"

/// Raised by TRegistry when a value cannot be read as asked (a value that is
/// not text read as text).
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};
