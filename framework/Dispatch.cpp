#include "Dispatch.h"

#include <cstdio>
#include <utility>

#include "Exception.h"

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
  }
}

std::function<void(const Exception&)> SetExceptionHandler(std::function<void(const Exception&)> handler) {
  return std::exchange(Handler(), std::move(handler));
}
