#include "tests/support/TestMimeDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/registry/SystemRegistry.h"
#include "tests/support/PrivateHome.h"

namespace testing_support {

namespace {

constexpr const char* kVariables[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                      "LANGUAGE",      "LC_ALL",        "LC_MESSAGES",     "LANG"};

constexpr unsigned char kOnePixelPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00,
    0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01,
    0x0D, 0x0A, 0x2D, 0xB4, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

}  // namespace

TestMimeDatabase::TestMimeDatabase(const std::string& name)
    : root_((std::filesystem::path(PrivateHome()) / name).string()) {
  std::filesystem::remove_all(root_);
  for (const char* folder : {"home", "system", "config"}) std::filesystem::create_directories(root_ + "/" + folder);
  for (const char* variable : kVariables) {
    const char* value = std::getenv(variable);
    saved_.emplace_back(variable, value == nullptr ? std::nullopt : std::optional<std::string>(value));
  }
}

TestMimeDatabase::~TestMimeDatabase() {
  for (const auto& [variable, value] : saved_) {
    if (value) {
      setenv(variable.c_str(), value->c_str(), 1);
    } else {
      unsetenv(variable.c_str());
    }
  }
  platform::ReloadRegistry();
}

void TestMimeDatabase::Write(const std::string& relativePath, const std::string& content) const {
  const std::filesystem::path path = std::filesystem::path(root_) / relativePath;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

void TestMimeDatabase::WritePng(const std::string& relativePath) const {
  Write(relativePath, std::string(reinterpret_cast<const char*>(kOnePixelPng), sizeof kOnePixelPng));
}

void TestMimeDatabase::Use() const {
  setenv("XDG_DATA_HOME", (root_ + "/home").c_str(), 1);
  setenv("XDG_DATA_DIRS", (root_ + "/system").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
  setenv("XDG_CONFIG_DIRS", (root_ + "/config-system").c_str(), 1);
  for (const char* variable : {"LANGUAGE", "LC_MESSAGES", "LANG"}) unsetenv(variable);
  platform::ReloadRegistry();
}

}  // namespace testing_support
