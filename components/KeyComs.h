#pragma once

#include <string>

#include "framework/core/Component.h"

/// A table of one short command text per key, addressed by the key's
/// virtual-key code (1 to 255), and the names of the keys. Binding and
/// querying answer with a one-line reply text for display instead of
/// raising errors.
class TKeyComs : public TComponent {
 public:
  /// Characters a command may hold.
  static constexpr int CommandLength = 14;

  explicit TKeyComs(TComponent* Owner);
  ~TKeyComs() override;

  /// Binds a non-empty command to a key ("<name> Bound"), or with an empty
  /// command tells the key's binding ("<name> <command>", or "<name> Not
  /// bound" for a key marked unbound). "Incorrect Number" for a code outside
  /// 1 to 255, "Command too long" for a command of more than CommandLength
  /// characters; a refusal changes nothing.
  std::string Bind(int Key, const std::string& Command);
  /// The same with the key given by name (any case); "Usage: KeyName
  /// Command" for an empty name. The reply names the key as GetKeyName does.
  std::string Bind(const std::string& KeyName, const std::string& Command);
  /// The text in a key's slot: the command, " " for a key marked unbound,
  /// empty for a key never bound nor cleared, and for a code without a slot.
  std::string GetCommand(const int Key) const;
  /// A key's name ("Escape", "F10"); a key without one is named by the
  /// character of the code's low 8 bits ("A" for 65).
  std::string GetKeyName(const int Key) const;
  /// A key's code from its name in any ASCII case, under every locale; a name
  /// not known counts by its first character, an ASCII letter upper-cased, as
  /// a signed 8-bit number (0 when empty; negative for any non-ASCII start).
  int GetKeyNumber(const std::string& KeyName) const;
  /// Marks every key unbound.
  void UnBindAll();

 private:
  /// One slot per code from 0 to 255; slot 0 is never written.
  char Commands[256][CommandLength + 1] = {};
};
