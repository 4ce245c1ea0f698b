#include "PrivateHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

namespace {
std::string g_home;
}

void UsePrivateHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pellix-home-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  g_home = pattern;
  const auto sub = [](const char* name) {
    std::filesystem::path p = std::filesystem::path(g_home) / name;
    std::filesystem::create_directories(p);
    return p.string();
  };
  setenv("HOME", g_home.c_str(), 1);
  setenv("XDG_DATA_HOME", sub(".local/share").c_str(), 1);
  setenv("XDG_CONFIG_HOME", sub(".config").c_str(), 1);
  setenv("XDG_CACHE_HOME", sub(".cache").c_str(), 1);
  const std::string runtime = sub("run");
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The tests compare formatted numbers and dates; they set the regional
  // settings they need themselves.
  setenv("LC_ALL", "C.UTF-8", 1);
}

const std::string& PrivateHome() { return g_home; }

}  // namespace testing_support
