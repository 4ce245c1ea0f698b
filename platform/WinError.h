#pragma once

// Error codes of the system calls the platform layer stands for: the calls
// return them as values; 0 is success.
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_INVALID_HANDLE = 6;
