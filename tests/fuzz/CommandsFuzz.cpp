// The command interpreter's lines and scripts, and the key table's names and
// bindings.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/KeyComs.h"
#include "components/Server2.h"
#include "framework/controls/Memo.h"
#include "framework/core/Exception.h"
#include "framework/core/StringList.h"
#include "tests/components/ComponentTestSupport.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {
component_test::TestDrive* g_drive = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(true);
  g_drive = &fuzz_support::LastingDrive("commands");
  return 0;
}

// A script (written to C:\s.txt), then lines cut at NUL bytes: each line is
// interpreted and, taken apart at its first blank, bound as a key and its
// command.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const std::vector<std::string> parts = fuzz_support::Parts(data, size, 2);
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t nul = parts[1].find('\0', start);
    lines.push_back(parts[1].substr(start, nul == std::string::npos ? std::string::npos : nul - start));
    if (nul == std::string::npos) break;
    start = nul + 1;
  }
  component_test::WriteFile(g_drive->Host("s.txt"), parts[0]);

  TMemo memo(nullptr);
  TServer2 server(nullptr);
  server.CommsOut = &memo;
  server.MaxLines = 5;
  server.OnServerComm = [](TObject*, std::string& message, bool& used) {
    message = "host";
    used = true;
  };
  TKeyComs keys(nullptr);
  for (const std::string& line : lines) {
    try {
      server.Server(line, true, true);
    } catch (const Exception&) {
      // A value that is no number is reported to the caller.
    }
    Check(memo.Lines()->Count() <= server.MaxLines, "the memo holds more than MaxLines");
    Check(server.History->Count() <= TServer2::kHistoryLines, "more than 40 remembered lines");
    Check(server.Words[0].empty() && server.Words[TServer2::kWordSlots - 1].empty(), "a word outside 1 to 18");
    server.GetCommand(dirPrevious);
    server.SearchComm(line);

    const std::size_t blank = line.find(' ');
    const std::string name = line.substr(0, blank);
    const std::string command = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    const std::string reply = keys.Bind(name, command);
    const int code = keys.GetKeyNumber(name);
    if (!command.empty() && reply.size() >= 6 && reply.compare(reply.size() - 6, 6, " Bound") == 0 &&
        command.find('\0') == std::string::npos) {
      Check(keys.GetCommand(code) == command, "key " + Shown(name) + " lost command " + Shown(command));
      Check(reply == keys.GetKeyName(code) + " Bound", "reply " + Shown(reply));
    }
  }
  return 0;
}
