#include "framework/core/Dispatch.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "framework/core/Exception.h"

namespace {
std::function<void(const Exception&)>& Handler() {
  static std::function<void(const Exception&)> handler = [](const Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
  };
  return handler;
}
}  // namespace

void DispatchEvent(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const Exception& e) {
    Handler()(e);
  } catch (const std::exception& e) {
    // Any other error of a handler is shown the same way; letting it unwind
    // through Qt's event delivery would end the program.
    Handler()(Exception(e.what()));
  }
}

std::function<void(const Exception&)> SetExceptionHandler(std::function<void(const Exception&)> handler) {
  return std::exchange(Handler(), std::move(handler));
}
