#pragma once

#include <functional>

class Exception;

/// Runs one event handler. An `Exception` that escapes it goes to the
/// exception handler (the application object installs one that shows the
/// message in a message box) and the program goes on; any other
/// std::exception is shown the same way, by its what() text.
void DispatchEvent(const std::function<void()>& handler);

/// Replaces the handler that DispatchEvent hands escaped exceptions to.
/// Returns the previous one.
std::function<void(const Exception&)> SetExceptionHandler(std::function<void(const Exception&)> handler);
