// Test helper: writes its working folder and its arguments, one a line, to
// the file named by RECORD_ARGS_OUT (through a new file that replaces it, so
// a reader never sees half of it), then sleeps RECORD_ARGS_SLEEP_MS if set.
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  const char* out = std::getenv("RECORD_ARGS_OUT");
  if (out == nullptr) return 2;
  char cwd[4096] = {};
  if (::getcwd(cwd, sizeof cwd) == nullptr) return 3;
  const std::string temporary = std::string(out) + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << cwd << '\n';
    for (int i = 0; i < argc; ++i) file << argv[i] << '\n';
  }
  if (std::rename(temporary.c_str(), out) != 0) return 4;
  if (const char* sleep = std::getenv("RECORD_ARGS_SLEEP_MS"))
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sleep)));
  return 0;
}
