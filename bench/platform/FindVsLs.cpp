// Lists a folder of 100,000 files as the file list reads it (every entry's
// attributes, size and packed local time) and compares the time with ls -l
// on the same folder, in the same run. Prints both and their ratio; the
// target is a ratio of 1.5 at most.
#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/BenchSupport.h"
#include "platform/drives/DriveMap.h"
#include "platform/files/Find.h"

namespace {

using bench::Seconds;

double ListOnce() {
  const auto start = std::chrono::steady_clock::now();
  WIN32_FIND_DATAA data;
  std::size_t count = 0;
  std::uint64_t sum = 0;
  HFIND search = FindFirstFileA("C:\\*.*", 0x27, data);
  if (search) {
    do {
      FILETIME local;
      std::uint32_t packed = 0;
      FileTimeToLocalFileTime(data.ftLastWriteTime, local);
      platform::FileTimeToPackedDosTime(local, packed);
      sum += packed + data.nFileSize + data.dwFileAttributes;
      ++count;
    } while (FindNextFileA(search, data));
    FindClose(search);
  }
  const double t = Seconds(start);
  if (count == 0 || sum == 0) std::fprintf(stderr, "nothing listed\n");
  return t;
}

double LsOnce(const std::string& folder) {
  return bench::RunTool({"ls", "-l", folder}, bench::Output::Discarded).seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const std::string folder = bench::MakeTempFolder(std::filesystem::temp_directory_path(), "pellix-bench");
  if (folder.empty()) return 1;
  for (int i = 0; i < files; ++i) {
    const std::string name = folder + "/file" + std::to_string(i) + ".txt";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0) ::close(fd);
  }
  platform::SetDriveMap({{'C', folder, 3}});
  setenv("LC_ALL", "C", 1);
  double find = 1e9, ls = 1e9;
  for (int round = 0; round < 5; ++round) {
    find = std::min(find, ListOnce());
    ls = std::min(ls, LsOnce(folder));
  }
  std::printf("%d files: FindFirstFileA %.1f ms, ls -l %.1f ms, ratio %.2f (target 1.5 at most)\n", files, find * 1000,
              ls * 1000, find / ls);
  std::filesystem::remove_all(folder);
  return 0;
}
