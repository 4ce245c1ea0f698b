#pragma once

#include <optional>
#include <string>

#include "framework/core/IniFile.h"

/// A settings file read once and changed in memory: reads see the changes
/// made so far, and UpdateFile puts them all in the file with one
/// replacement (one new file, one sync, one rename), so the file holds all of
/// them or none. Until then the file stays as it was.
class TMemIniFile : public TIniFile {
 public:
  /// Reads the file (none, or one that cannot be read, reads as empty).
  explicit TMemIniFile(std::string fileName);

  /// Writes the text with every change made since it was read, when any was
  /// made. A write the system refuses raises Exception "Unable to write to
  /// <file name>" and leaves the file as it was.
  void UpdateFile() override;

 protected:
  std::optional<std::string> Load() const override { return text_; }
  void Store(const std::string& contents) override;

 private:
  std::optional<std::string> text_;
  bool modified_ = false;
};
