#pragma once

#include <cstdint>

/// A window message as a control's Dispatch receives it: the identifier
/// first, then its two parameters and the result the receiver leaves.
struct TMessage {
  std::uint32_t Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

/// Sent to a control when the mouse pointer moves onto it.
inline constexpr std::uint32_t CM_MOUSEENTER = 0xB013;
/// Sent to a control when the mouse pointer leaves it.
inline constexpr std::uint32_t CM_MOUSELEAVE = 0xB014;
