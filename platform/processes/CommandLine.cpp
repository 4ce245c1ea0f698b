#include "platform/processes/CommandLine.h"

#include <unistd.h>
#include <cctype>
#include <cstdlib>
#include <memory>

#include "platform/drives/DriveMap.h"

namespace platform {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (const char c : commandLine) {
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
      continue;
    }
    inArgument = true;
    if (c == '"') {
      quoted = !quoted;
    } else {
      current += c;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

std::optional<std::string> ArgumentDrivePath(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':') return name;
  if (name.find('\\') != std::string::npos) return std::nullopt;
  std::string host = name;
  if (host[0] != '/') {
    std::unique_ptr<char, decltype(&std::free)> current(::getcwd(nullptr, 0), &std::free);
    if (!current) return std::nullopt;
    host = std::string(current.get()) + "/" + host;
  }
  // The folder is resolved by the system (links, "." and ".."); the last
  // component keeps its spelling, so a missing file is still named.
  const std::size_t slash = host.rfind('/');
  const std::string folder = slash == 0 ? "/" : host.substr(0, slash);
  const std::string last = host.substr(slash + 1);
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(folder.c_str(), nullptr), &std::free);
  if (!resolved) return std::nullopt;
  std::string path = resolved.get();
  if (path.find('\\') != std::string::npos) return std::nullopt;
  if (!last.empty()) path = (path == "/" ? "" : path) + "/" + last;
  return DrivePath(path);
}

}  // namespace platform
