#pragma once

#include <functional>
#include <string>

#include "framework/controls/Edit.h"

/// Told the outcome of every check of a password field.
using TCheckPassWordEvent = std::function<void(TObject* Sender, bool Correct)>;

/// A one-line field for typing a password: it shows FalseChar for every
/// character typed and keeps the real characters to itself. Enter checks
/// them against CorrectPassWord, tells the outcome through the three events
/// and counts the wrong tries; from the MaxTries-th wrong try on, every wrong
/// try raises "Incorrect Password". The field takes over its OnKeyPress and
/// OnKeyDown; a form that holds one leaves those two unassigned.
class TPassWord : public TEdit {
 public:
  explicit TPassWord(TComponent* Owner);
  ~TPassWord() override;

  /// Compares the typed characters with Value (case counts) and fires
  /// OnCheckPassWord, then OnRightPassWord or OnWrongPassWord. A mismatch
  /// counts as a wrong try and raises Exception("Incorrect Password") once
  /// MaxTries (above 0) tries have failed. True when they matched.
  bool CheckPassWord(const std::string& Value);

  /// The field's key handlers: typed characters are kept and shown as
  /// FalseChar, Backspace and Delete remove what the field removes (one
  /// character or the selection, with Ctrl, Alt or Shift too), Enter checks
  /// against CorrectPassWord.
  void EditKeyPress(TObject* Sender, char& Key);
  void EditKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift);

  /// The character shown for every typed one; 0 until set (then a typed
  /// character leaves no mark in the field). Setting 0 makes it a blank.
  char FalseChar() const { return falseChar_; }
  void SetFalseChar(char Value);

  /// The value Enter compares the typed characters with (published).
  std::string CorrectPassWord;
  /// Wrong tries from which on every wrong try raises; 0 or less: no limit.
  /// Starts at 0 (published).
  int MaxTries = 0;
  TCheckPassWordEvent OnCheckPassWord;
  TNotifyEvent OnRightPassWord;
  TNotifyEvent OnWrongPassWord;

 private:
  /// Removes the selection, or one character at Position when none is
  /// selected, from the hidden text and from the field.
  void RemoveTyped(int Position);
  void RemoveShown(int Position);

  char falseChar_ = 0;
  /// The characters really typed, one for every FalseChar in the field.
  std::string TypedText;
  /// Failed checks since the field was made; never goes down.
  int WrongTries = 0;
};
