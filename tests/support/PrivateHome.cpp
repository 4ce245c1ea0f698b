#include "tests/support/PrivateHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

namespace {
std::string g_home;
pid_t g_owner = 0;
}

void UsePrivateHome() {
  // A test program started by another one (a test that re-runs its own
  // program in a prepared environment) makes its home inside its parent's
  // and leaves it there: what it started may still be using it, and the
  // parent removes the whole tree when it is done.
  const char* parent = std::getenv("PELLIX_PRIVATE_HOME");
  const bool nested = parent != nullptr && std::filesystem::is_directory(parent);
  const std::filesystem::path base = nested ? std::filesystem::path(parent) : std::filesystem::temp_directory_path();
  std::string pattern = (base / "pellix-home-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  g_home = pattern;
  g_owner = nested ? 0 : getpid();
  setenv("PELLIX_PRIVATE_HOME", g_home.c_str(), 1);
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

void RemovePrivateHome() {
  if (g_home.empty() || g_owner == 0 || getpid() != g_owner) return;
  std::error_code ignored;
  std::filesystem::remove_all(g_home, ignored);
  g_home.clear();
}

}  // namespace testing_support
