#pragma once

#include <string>

#include "framework/core/Object.h"
#include "platform/registry/SystemRegistry.h"

/// Reads the system registry: one current key, opened below the root key.
/// A key name that starts with "\" is taken from the root; any other from
/// the current key when one is open, else from the root. This registry is
/// read only: no call creates, changes or deletes a key or a value.
class TRegistry : public TObject {
 public:
  /// A reader of HKEY_CLASSES_ROOT with no current key.
  TRegistry();
  ~TRegistry() override;

  HKEY RootKey() const { return rootKey_; }
  /// Changes the root; closes the current key.
  void SetRootKey(HKEY root);
  /// The open key, null when none is.
  HKEY CurrentKey() const { return currentKey_; }
  /// The path of the current key below the root, without a leading "\"; empty when none is open.
  const std::string& CurrentPath() const { return currentPath_; }

  /// Makes an existing key the current one (closing the one before). A key
  /// that does not exist is never created, whatever `canCreate` says: the
  /// result is then false and the current key stays as it was.
  bool OpenKey(const std::string& key, bool canCreate);
  /// Makes an existing key the current one, for reading.
  bool OpenKeyReadOnly(const std::string& key);
  /// Whether a key exists; opens nothing.
  bool KeyExists(const std::string& key) const;
  /// Whether the current key has a value of that name ("" for the default value).
  bool ValueExists(const std::string& name) const;
  /// A value of the current key as text; "" is the default value. A value
  /// that does not exist (or no current key) gives empty text; a value that
  /// is not text raises ERegistryException "Invalid data type for '<name>'".
  std::string ReadString(const std::string& name) const;
  /// Closes the current key.
  void CloseKey();

 private:
  HKEY rootKey_;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;
};
