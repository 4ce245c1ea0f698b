#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace platform {

/// An open file reached through a drive path, read or written as bytes.
/// Errors come back as values: a failed open gives no file, a failed read or
/// write gives -1.
class File {
 public:
  enum class Mode {
    /// existing file, reading only, shared with other readers and writers;
    /// opening never waits, not even for a pipe's writer
    Read,
    Write,   ///< created or emptied, writing only
    Append,  ///< created when missing, writing at the end
    /// an existing regular file, reading only: a pipe, device or socket is
    /// not opened, since reading it could wait or never end
    ReadRegular,
  };

  /// Opens a drive path; nothing when the file cannot be opened (a folder
  /// cannot be opened either).
  static std::unique_ptr<File> Open(const std::string& drivePath, Mode mode);
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  /// Reads up to `size` bytes: the count read, 0 at the end, -1 on an error.
  std::ptrdiff_t Read(void* buffer, std::size_t size);
  /// Whether a read would not wait, waiting up to `timeoutMs` (-1: for
  /// ever) for it: always at once for a regular file; a pipe, device or
  /// socket may have nothing yet.
  bool WaitReadable(int timeoutMs);
  /// Writes all `size` bytes: true when every byte was written.
  bool Write(const void* data, std::size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  /// Hands what was written to the system.
  bool Flush();

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_;
};

/// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& drivePath);

}  // namespace platform
