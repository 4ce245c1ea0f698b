#pragma once

// Test helper: an environment variable set for one scope.

#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

/// For its lifetime, the environment variable `name` holds `value`; then it
/// holds what it held before, or is unset again.
class ScopedVariable {
 public:
  ScopedVariable(std::string name, const std::string& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    setenv(name_.c_str(), value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace testing_support
