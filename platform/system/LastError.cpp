#include "platform/system/LastError.h"

#include <cerrno>

namespace {
thread_local std::uint32_t g_lastError = ERROR_SUCCESS;
}

std::uint32_t GetLastError() { return g_lastError; }
void SetLastError(std::uint32_t code) { g_lastError = code; }

namespace platform {

void SetLastErrorFromErrno(int error) {
  switch (error) {
    case 0: SetLastError(ERROR_SUCCESS); break;
    case ENOENT: SetLastError(ERROR_FILE_NOT_FOUND); break;
    case ENOTDIR: SetLastError(ERROR_PATH_NOT_FOUND); break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: SetLastError(ERROR_ACCESS_DENIED); break;
    case EEXIST: SetLastError(ERROR_ALREADY_EXISTS); break;
    case ENOTEMPTY: SetLastError(ERROR_DIR_NOT_EMPTY); break;
    case ENOSPC:
    case EDQUOT: SetLastError(ERROR_DISK_FULL); break;
    case ENAMETOOLONG: SetLastError(ERROR_INVALID_NAME); break;
    case ENOTSUP: SetLastError(ERROR_NOT_SUPPORTED); break;
    case ENOMEDIUM:
    case EIO: SetLastError(ERROR_NOT_READY); break;
    default: SetLastError(ERROR_INVALID_PARAMETER); break;
  }
}

}  // namespace platform
