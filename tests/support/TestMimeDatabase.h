#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

/// A MIME database and icon theme of a test's own, written into a fresh
/// folder under PrivateHome(): "home/..." is XDG_DATA_HOME, "system/..." the
/// one folder of XDG_DATA_DIRS, "config/..." XDG_CONFIG_HOME. The registry
/// reads it once Use() has run; the destructor puts the environment back and
/// makes the registry read it again.
class TestMimeDatabase {
 public:
  explicit TestMimeDatabase(const std::string& name);
  ~TestMimeDatabase();
  TestMimeDatabase(const TestMimeDatabase&) = delete;
  TestMimeDatabase& operator=(const TestMimeDatabase&) = delete;

  /// The folder's host path.
  const std::string& Root() const { return root_; }
  /// Writes a file below the folder ("system/mime/globs2"), making its folders.
  void Write(const std::string& relativePath, const std::string& content) const;
  /// Writes a PNG picture of one pixel.
  void WritePng(const std::string& relativePath) const;
  /// Points the XDG folders at this folder, clears the language variables
  /// but LC_ALL (the tests' "C.UTF-8") and reloads the registry.
  void Use() const;

 private:
  std::string root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace testing_support
