#include <cstddef>
#include <vector>

#include "components/Server2.h"
#include "platform/files/FileIO.h"

namespace {

// A script line keeps at most 99 characters; the rest of a longer line is
// dropped, so that its tail never runs as a command of its own.
constexpr std::size_t kMaxScriptLine = 99;

}  // namespace

std::string TServer2::Exec(std::string name, bool remember) {
  // By value: the script's lines split into Words, where the name came from.
  if (execDepth_ >= kMaxExecDepth) return "Exec nested too deeply: " + name;
  // Only a regular file: a pipe or a device could hold the call, and with it
  // the program, for ever.
  auto file = name.empty() ? nullptr : platform::File::Open(name, platform::File::Mode::ReadRegular);
  if (!file) return "Couldn't exec: " + name;
  if (execDepth_ == 0) {
    scriptLinesLeft_ = kMaxScriptLines;
    scriptLinesOut_ = false;
  }
  ++execDepth_;
  struct DepthGuard {
    int& depth;
    ~DepthGuard() { --depth; }
  } guard{execDepth_};

  // The depth bounds how deep scripts nest, not how much they do: k lines
  // that each run the script itself would run k^16 scripts. The lines run are
  // counted against one budget for the outermost script and all it runs.
  const auto run = [&](const std::string& text) {
    if (scriptLinesLeft_ == 0) scriptLinesOut_ = true;
    if (scriptLinesOut_) return false;
    --scriptLinesLeft_;
    Server(text, false, remember);
    return !scriptLinesOut_;
  };
  std::string line;
  std::vector<char> buffer(65536);
  bool going = true;
  while (going) {
    const std::ptrdiff_t n = file->Read(buffer.data(), buffer.size());
    if (n <= 0) break;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
      const char c = buffer[static_cast<std::size_t>(i)];
      if (c == '\n') {
        // A CR right before the break belongs to the break.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        going = run(line);
        line.clear();
        if (!going) break;
      } else if (line.size() < kMaxScriptLine) {
        line += c;
      }
    }
  }
  // What follows the last line break is a line too, empty after a final break.
  if (going) run(line);
  if (scriptLinesOut_) return "Exec nested too deeply: " + name;
  return "Execing " + name;
}
