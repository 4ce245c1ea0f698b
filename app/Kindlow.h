#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TRegistry;
namespace platform {
class FileReplacement;
}

/// The learner's registry work: probes the candidate extensions below
/// HKEY_CLASSES_ROOT and writes what it finds into "RegInfo.ini" in the
/// program folder, one line "extension; description; icon file; icon index;
/// view type;" each, followed by the ten built-in lines. It shows its
/// progress on the learner dialog (the global LearnForm).
///
/// The file is written whole or not at all: the scan writes a new file beside
/// it, the built-in lines end it, and only then does it take the old file's
/// place. A run that fails or is cut short leaves the old file, or none, so
/// that the next start learns again.
class TKindlow {
 public:
  /// A reader of HKEY_CLASSES_ROOT and empty texts.
  TKindlow();
  ~TKindlow();
  TKindlow(const TKindlow&) = delete;
  TKindlow& operator=(const TKindlow&) = delete;

  /// Whether `key` exists directly below the root; when it does and `open`
  /// is set, it becomes the current key (nothing is ever created).
  bool OpenIfExists(const std::string& key, bool open);
  /// A value of the current key as text; "$default" names the default value.
  /// A missing value gives empty text; a value that is not text raises
  /// ERegistryException "Invalid data type for '<name>'".
  std::string ReadValue(const std::string& name);
  /// Sets IconFile and IconIndex from the type's "DefaultIcon" key ("-" and 0
  /// without one, or for a value of four characters or fewer). A negative
  /// index of -151 to -156 becomes 66 to 71, any other its absolute value.
  /// An index that is not a whole number raises EConvertError.
  void ReadDefaultIcon(const std::string& typeName);
  /// Whether the registry knows the extension: its key has a non-empty
  /// default value (the type name). Sets Description (the type's description,
  /// else the type name), IconFile and IconIndex.
  bool LookUp(const std::string& candidate);
  /// The view type the scan gives a found extension: 1 (open with the shell)
  /// for all but the ten built-in ones, which keep their own.
  int Classify(const std::string& candidate) const;
  /// Probes every candidate ".XYZ" (X from "0" to "Z", Y and Z from the blank
  /// to "Z"), reading the system's file types afresh, and writes the marker
  /// and the learned lines into the new file, each line handed to the system
  /// as it is learned; shows the progress every 59 candidates and lets
  /// waiting window messages run then. A file that cannot be replaced is
  /// reported ("Can't open RegInfo.ini") and nothing is scanned; a write that
  /// fails is reported ("Unable to write to " and the file's full name) and
  /// ends the scan. An error out of the scan leaves the old file.
  void ScanRegistry();
  /// Appends the ten built-in lines: to the new file of the scan just run,
  /// which then, synced, takes the old file's place; without a scan, to the
  /// file as it stands (created when missing), which is replaced whole as
  /// well. Does nothing after a scan that could not write, or when the file
  /// cannot be replaced; a failed write is reported as the scan reports it.
  void AppendDefaults();

  /// How many candidates the scan probes: 43 x 59 x 59.
  static constexpr int CandidateCount = 149683;

  TRegistry* Registry;
  std::string Description;
  std::string IconFile;
  std::int32_t IconIndex = 0;
  std::int32_t ViewType = 0;

 private:
  /// The new file the scan writes, until AppendDefaults puts it in place.
  std::unique_ptr<platform::FileReplacement> learned_;
  /// The scan could not write: the file stays as it was.
  bool scanFailed_ = false;
};
