// Test helper: writes its working folder and its arguments, one a line, to
// the file named by RECORD_ARGS_OUT, or, when RECORD_ARGS_DIR is set instead,
// to a file named by its process id in that folder (so several starts leave
// one record each, and the ids tell their order). With RECORD_ARGS_SNAPSHOT
// set, the content of the file it names (relative to the working folder)
// follows the arguments, as the file stood when the program started. The
// record is written through a new file that replaces it, so a reader never
// sees half of it. Then it sleeps RECORD_ARGS_SLEEP_MS if set.
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  std::string out;
  if (const char* file = std::getenv("RECORD_ARGS_OUT")) {
    out = file;
  } else if (const char* folder = std::getenv("RECORD_ARGS_DIR")) {
    out = std::string(folder) + "/" + std::to_string(::getpid());
  } else {
    return 2;
  }
  char cwd[4096] = {};
  if (::getcwd(cwd, sizeof cwd) == nullptr) return 3;
  const std::string temporary = out + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << cwd << '\n';
    for (int i = 0; i < argc; ++i) file << argv[i] << '\n';
    if (const char* snapshot = std::getenv("RECORD_ARGS_SNAPSHOT")) {
      std::ifstream in(snapshot, std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      file << text.str();
    }
  }
  if (std::rename(temporary.c_str(), out.c_str()) != 0) return 4;
  if (const char* sleep = std::getenv("RECORD_ARGS_SLEEP_MS"))
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sleep)));
  return 0;
}
