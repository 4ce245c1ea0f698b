#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The test suite's driver for a fuzz target, in place of libFuzzer's: runs
// the target once on every file in the folders (or files) it is given, in
// name order, so the corpus and every input fuzzing found wrong are checked
// by every build. Names starting with "." are left out.

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& where) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(where)) {
    for (const auto& entry : std::filesystem::directory_iterator(where))
      if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    std::sort(files.begin(), files.end());
  } else {
    files.push_back(where);
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  int runs = 0;
  for (int a = 1; a < argc; ++a) {
    if (!std::filesystem::exists(argv[a])) {
      std::fprintf(stderr, "no such input: %s\n", argv[a]);
      return 1;
    }
    for (const auto& file : Inputs(argv[a])) {
      std::ifstream in(file, std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      std::fprintf(stderr, "%s\n", file.c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++runs;
    }
  }
  std::printf("%d inputs replayed\n", runs);
  return runs > 0 ? 0 : 1;
}
