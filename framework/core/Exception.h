#pragma once

#include <stdexcept>
#include <string>

/// The framework's general exception: a component that meets a fault raises
/// it with a message text, and the application shows that text.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

/// Raised by the conversions (StrToInt and friends) for text that is not a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

/// Raised by string lists for an index out of range or a refused duplicate.
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};
