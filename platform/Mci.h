#pragma once

#include <cstdint>
#include <string>

/// An answer of the multimedia command interface: 0 for success, else an
/// MCIERR_ code.
using MCIERROR = std::uint32_t;

constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = 306;

/// Sends a multimedia command string ("set cdaudio door open", "set cdaudio
/// door closed") to the default device of its type, with no reply wanted.
MCIERROR mciSendStringA(const std::string& command);
