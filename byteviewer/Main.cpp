#include <string>
#include <vector>

#include "byteviewer/ByteViewer.h"
#include "platform/console/TerminalConsole.h"

int main(int argc, char** argv) {
  // The viewer ends with exit code 0 on every road, a failure included.
  try {
    platform::TerminalConsole console;
    ByteViewer viewer(console);
    viewer.Main(std::vector<std::string>(argv, argv + argc));
  } catch (...) {
  }
  return 0;
}
