#include "platform/libraries/Icon.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <limits>

#include "platform/drives/DriveMap.h"
#include "platform/libraries/Library.h"
#include "platform/system/CaseFold.h"

namespace {

// An icon file larger than this is not an icon anyone draws at 32 pixels.
constexpr off_t kMaxImageBytes = 16 << 20;
constexpr size_t kHeaderBytes = 4096;

// The first bytes of a regular file (up to `limit`), or the whole file when
// `limit` is 0; nothing for a missing file, a folder, a device or a pipe.
std::optional<std::string> ReadRegularFile(const std::string& hostPath, size_t limit) {
  // Non-blocking, so a FIFO under an icon's name cannot hang the window thread.
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> result;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (limit > 0 || st.st_size <= kMaxImageBytes)) {
    std::string bytes;
    const size_t want = limit > 0 ? limit : static_cast<size_t>(st.st_size);
    bytes.resize(want);
    size_t got = 0;
    while (got < want) {
      const ssize_t n = ::read(fd, bytes.data() + got, want - got);
      if (n < 0) break;
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    if (got == want || limit > 0) {
      bytes.resize(got);
      result = std::move(bytes);
    }
  }
  ::close(fd);
  return result;
}

bool StartsWith(const std::string& s, const char* prefix, size_t length) {
  return s.size() >= length && std::memcmp(s.data(), prefix, length) == 0;
}

std::string LowerExtension(const std::string& hostPath) {
  const auto slash = hostPath.rfind('/');
  const auto dot = hostPath.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return platform::LowerAscii(hostPath.substr(dot));
}

uint32_t Le32(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

// Whether the start of a file is that of a picture the framework can draw.
// Binary formats are known by their signatures; the text formats by their
// opening, so a text file that merely carries an image's extension is none.
bool IsImageFile(const std::string& header, const std::string& hostPath) {
  if (StartsWith(header, "\x89PNG\r\n\x1a\n", 8)) return true;
  if (StartsWith(header, "GIF87a", 6) || StartsWith(header, "GIF89a", 6)) return true;
  if (StartsWith(header, "\xff\xd8\xff", 3)) return true;
  if (header.size() >= 18 && StartsWith(header, "BM", 2)) {
    const uint32_t dib = Le32(header, 14);
    if (dib == 12 || dib == 40 || dib == 52 || dib == 56 || dib == 64 || dib == 108 || dib == 124) return true;
  }
  if (header.size() >= 6 && StartsWith(header, "\0\0\1\0", 4) && (header[4] != 0 || header[5] != 0)) return true;
  const auto text = header.find_first_not_of(" \t\r\n");
  if (text != std::string::npos && header.compare(text, 9, "/* XPM */") == 0) return true;
  if (header.find('\0') == std::string::npos && header.find("<svg") != std::string::npos) return true;
  return StartsWith(header, "\x1f\x8b", 2) && LowerExtension(hostPath) == ".svgz";
}

bool IsBareName(const std::string& name) { return name.find_first_of("\\/:") == std::string::npos; }

}  // namespace

HICON ExtractIconA(const std::string& fileName, unsigned index) {
  // A bare name such as "shell32.dll" is a library first, as the shell takes
  // it; failing that, a file of the current folder.
  std::optional<std::string> host = platform::FindLibraryFile(fileName);
  if (!host && !fileName.empty() && IsBareName(fileName)) host = platform::HostPath(fileName);
  if (!host) return nullptr;

  const auto header = ReadRegularFile(*host, kHeaderBytes);
  if (!header) return nullptr;
  if (StartsWith(*header,
                 "\x7f"
                 "ELF",
                 4)) {
    if (index > static_cast<unsigned>(std::numeric_limits<int>::max())) return nullptr;
    HMODULE module = platform::LoadLibraryHostFile(*host);
    if (module == nullptr) return nullptr;
    auto bytes = LoadResourceIcon(module, static_cast<int>(index));
    FreeLibrary(module);
    if (!bytes) return nullptr;
    return std::make_shared<const IconResource>(IconResource{std::move(*bytes)});
  }
  if (index != 0 || !IsImageFile(*header, *host)) return nullptr;
  auto bytes = ReadRegularFile(*host, 0);
  if (!bytes) return nullptr;
  return std::make_shared<const IconResource>(IconResource{std::move(*bytes)});
}
