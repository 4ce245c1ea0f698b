#pragma once

#include <cstdint>
#include <string>

class TRegistry;

/// The learner's registry work: probes the candidate extensions below
/// HKEY_CLASSES_ROOT and writes what it finds into "RegInfo.ini" in the
/// program folder, one line "extension; description; icon file; icon index;
/// view type;" each, followed by the ten built-in lines. It shows its
/// progress on the learner dialog (the global LearnForm).
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
  /// to "Z") and writes the file from scratch; shows the progress every 59
  /// candidates and lets waiting window messages run then. A file that
  /// cannot be opened is reported ("Can't open RegInfo.ini") and nothing is
  /// scanned.
  void ScanRegistry();
  /// Appends the ten built-in lines to the file (created when missing); does
  /// nothing when it cannot be opened.
  void AppendDefaults();

  /// How many candidates the scan probes: 43 x 59 x 59.
  static constexpr int CandidateCount = 149683;

  TRegistry* Registry;
  std::string Description;
  std::string IconFile;
  std::int32_t IconIndex = 0;
  std::int32_t ViewType = 0;
};
