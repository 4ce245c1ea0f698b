#pragma once

#include <optional>
#include <string>

#include "framework/core/Object.h"

/// The clipboard's plain-text format.
constexpr unsigned CF_TEXT = 1;

/// The clipboard as text: the system's clipboard, or, once a test has asked
/// for it with SetPrivateStore, a store of this process's own.
class TClipboard : public TObject {
 public:
  TClipboard() = default;

  /// Whether the clipboard holds the format (CF_TEXT: any text).
  bool HasFormat(unsigned format) const;
  /// The text on the clipboard ("" when it holds none).
  std::string AsText() const;
  /// Replaces whatever the clipboard held by the text.
  void SetAsText(const std::string& text);
  void Clear();

  /// Keeps the clipboard in this process (tests) instead of on the system
  /// clipboard; turning it on starts empty, turning it off goes back to the
  /// system's.
  void SetPrivateStore(bool on);
  bool PrivateStore() const { return privateStore_; }

 private:
  bool privateStore_ = false;
  std::optional<std::string> stored_;
};

/// The program's one clipboard object.
TClipboard* Clipboard();
