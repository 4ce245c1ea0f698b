// Command lines: the splitter of typed command lines, and the process
// starter's split and quote, whose round trip must give every argument back.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes/CommandLine.h"
#include "platform/processes/ProcessArguments.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += Shown(word) + " ";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  return 0;
}

// The input is a command line as it is; cut at its NUL bytes it is also the
// program and the arguments of a process.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const std::string text = fuzz_support::Text(data, size);
  if (text.find('\0') == std::string::npos) {
    // Plain words: no word is lost or made.
    const std::vector<std::string> words = platform::SplitCommandLine(text);
    for (const std::string& word : words)
      Check(word.find_first_of(" \t") == std::string::npos || text.find('"') != std::string::npos,
            "a blank inside an unquoted word of " + Shown(text));
    platform::SplitProcessCommandLine(text);
    return 0;
  }
  std::vector<std::string> args;
  std::size_t start = 0;
  for (;;) {
    const std::size_t nul = text.find('\0', start);
    args.push_back(text.substr(start, nul == std::string::npos ? std::string::npos : nul - start));
    if (nul == std::string::npos) break;
    start = nul + 1;
  }

  // The program is written as it is when it needs no quotes, and in quotes
  // otherwise; it takes backslashes literally, so one that ends in a
  // backslash (a folder, never a program) is left out.
  std::string program = args[0];
  if (program.empty() || program.find('"') != std::string::npos || program.back() == '\\') program = "prog";
  std::string line = platform::QuoteProcessArgument(program);
  for (std::size_t n = 1; n < args.size(); ++n) line += " " + platform::QuoteProcessArgument(args[n]);
  std::vector<std::string> expected = args;
  expected[0] = program;
  const std::vector<std::string> split = platform::SplitProcessCommandLine(line);
  Check(split == expected, "split(quote(" + Joined(expected) + ")) gave " + Joined(split) + "from " + Shown(line));

  // Words without blanks, tabs and quotes come back from the plain splitter.
  std::vector<std::string> plain;
  std::string plainLine;
  for (const std::string& arg : args) {
    if (arg.empty() || arg.find_first_of(" \t\"") != std::string::npos) continue;
    plain.push_back(arg);
    plainLine += arg + " ";
  }
  const std::vector<std::string> words = platform::SplitCommandLine(plainLine);
  Check(words == plain, "SplitCommandLine(" + Shown(plainLine) + ") gave " + Joined(words));
  return 0;
}
