#include "platform/processes/ProcessArguments.h"

namespace platform {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::vector<std::string> SplitProcessCommandLine(const std::string& line) {
  std::vector<std::string> args;
  const size_t n = line.size();
  size_t i = 0;
  while (i < n && IsBlank(line[i])) ++i;
  if (i == n) return args;

  // The program: quotes group, backslashes are path separators, never escapes.
  std::string arg;
  bool quoted = false;
  for (; i < n; ++i) {
    const char c = line[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      arg += c;
    }
  }
  args.push_back(arg);

  for (;;) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) break;
    arg.clear();
    quoted = false;
    while (i < n && (quoted || !IsBlank(line[i]))) {
      const char c = line[i];
      if (c == '\\') {
        size_t end = i;
        while (end < n && line[end] == '\\') ++end;
        const size_t count = end - i;
        if (end < n && line[end] == '"') {
          arg.append(count / 2, '\\');
          if (count % 2 == 1) {
            arg += '"';
            i = end + 1;
          } else {
            i = end;  // the quote groups, handled next round
          }
        } else {
          arg.append(count, '\\');
          i = end;
        }
      } else if (c == '"') {
        if (quoted && i + 1 < n && line[i + 1] == '"') {
          arg += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += c;
        ++i;
      }
    }
    args.push_back(arg);
  }
  return args;
}

std::string QuoteProcessArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string out = "\"";
  size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(2 * backslashes + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  out += '"';
  return out;
}

}  // namespace platform
