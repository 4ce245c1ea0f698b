// Test helper: opens one file with ShellExecuteA in a fresh process, so the
// desktop associations GIO reads are the ones the test set up in its
// environment. Arguments: result file, host folder of drive C:, file,
// directory, verb ("-" for none). Writes "result=N" and what became of the
// children: "children=none" when we have none left, "zombie" when one ended
// unreaped, "running" when one still runs.
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/drives/DriveMap.h"
#include "platform/processes/ShellExecute.h"

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  platform::SetDriveMap({{'C', argv[2], 3}});
  const std::string verb = argv[5];
  const int result = ShellExecuteA(nullptr, verb == "-" ? nullptr : verb.c_str(), argv[3], "", argv[4], SW_SHOWNORMAL);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const char* record = std::getenv("RECORD_ARGS_OUT");
  if (result > 32 && record != nullptr)
    while (!std::filesystem::exists(record) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::string children = "running";
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t r = ::waitpid(-1, &status, WNOHANG);
    if (r < 0 && errno == ECHILD) {
      children = "none";
      break;
    }
    if (r > 0) {
      children = "zombie";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ofstream(argv[1]) << "result=" << result << "\nchildren=" << children << "\n";
  return 0;
}
