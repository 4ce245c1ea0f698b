#include "tests/fuzz/FuzzSupport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "tests/components/ComponentTestSupport.h"
#include "tests/support/FakeCdDrive.h"
#include "tests/support/PrivateHome.h"

namespace fuzz_support {

void Start(bool widgets) {
  testing_support::UsePrivateHome();
  testing_support::UseNoOpticalDrive();
  std::atexit([] { testing_support::RemovePrivateHome(); });
  if (!widgets) return;
  // Qt keeps the pointers to the arguments: they outlive the application.
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
  Application->Initialize();
  SetMessageBoxHandler([](const TMessageBoxRequest& request) {
    const unsigned type = request.Flags & MB_TYPEMASK;
    if (type == MB_OK) return IDOK;
    return type == MB_YESNO ? IDNO : IDCANCEL;
  });
}

std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t parts) {
  const std::string text = Text(data, size);
  std::vector<std::string> out;
  std::size_t start = 0;
  while (out.size() + 1 < parts) {
    const std::size_t nul = text.find('\0', start);
    if (nul == std::string::npos) break;
    out.push_back(text.substr(start, nul - start));
    start = nul + 1;
  }
  out.push_back(start <= text.size() ? text.substr(start) : std::string());
  out.resize(parts < out.size() ? out.size() : parts);
  return out;
}

void Check(bool holds, const std::string& what) {
  if (holds) return;
  std::fprintf(stderr, "oracle failed: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

std::string Shown(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '"') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      out += hex;
    }
  }
  return out + "\"";
}

component_test::TestDrive& LastingDrive(const char* name) { return *new component_test::TestDrive(name); }

}  // namespace fuzz_support
