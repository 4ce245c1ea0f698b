#pragma once

#include <cstdint>

constexpr std::uint32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_INVALID_DRIVE = 15;
constexpr std::uint32_t ERROR_NO_MORE_FILES = 18;
constexpr std::uint32_t ERROR_NOT_READY = 21;
constexpr std::uint32_t ERROR_NOT_SUPPORTED = 50;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::uint32_t ERROR_DISK_FULL = 112;
constexpr std::uint32_t ERROR_INVALID_NAME = 123;
constexpr std::uint32_t ERROR_DIR_NOT_EMPTY = 145;
constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;

/// Why the last platform call of this thread that failed did so: one of the
/// ERROR_ codes above.
std::uint32_t GetLastError();
/// Sets the code GetLastError gives.
void SetLastError(std::uint32_t code);

namespace platform {
/// Sets the last error from the host's errno value.
void SetLastErrorFromErrno(int error);
}  // namespace platform
