#include "components/PassWord.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/core/VirtualKeys.h"

TPassWord::TPassWord(TComponent* Owner) : TEdit(Owner) {
  OnKeyPress = [this](TObject* Sender, char& Key) { EditKeyPress(Sender, Key); };
  OnKeyDown = [this](TObject* Sender, unsigned short& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
}

TPassWord::~TPassWord() = default;

bool TPassWord::CheckPassWord(const std::string& Value) {
  if (TypedText == Value) {
    if (OnCheckPassWord) OnCheckPassWord(this, true);
    if (OnRightPassWord) OnRightPassWord(this);
    return true;
  }
  ++WrongTries;
  if (OnCheckPassWord) OnCheckPassWord(this, false);
  if (OnWrongPassWord) OnWrongPassWord(this);
  if (MaxTries > 0 && WrongTries >= MaxTries) throw Exception("Incorrect Password");
  return false;
}

void TPassWord::EditKeyPress(TObject*, char& Key) {
  switch (Key) {
    case '\r': CheckPassWord(CorrectPassWord); return;
    case '\b': RemoveTyped(SelStart() - 1); return;
    default: break;
  }
  const auto caret = static_cast<size_t>(SelStart());
  // The field replaces a selection with the one character shown, so the
  // selected characters leave the hidden text too (unless nothing is shown).
  if (SelLength() > 0 && falseChar_ != 0) RemoveTyped(SelStart());
  // The field's text can have changed by other means (a program setting
  // it): a caret beyond the typed characters appends.
  TypedText.insert(std::min(caret, TypedText.size()), 1, Key);
  Key = falseChar_;
}

void TPassWord::EditKeyDown(TObject*, unsigned short& Key, TShiftState Shift) {
  // Backspace and Delete do the same whatever the shift state. With Ctrl,
  // Alt or Shift the field itself would delete a word, undo or cut instead of
  // one character, and the shown and hidden texts would part; so the field
  // removes here the same as the plain key, and the key stops.
  const bool modified = (Shift & (ssShift | ssCtrl | ssAlt)) != 0;
  if (Key == VK_DELETE && !modified) {
    RemoveTyped(SelStart());
  } else if ((Key == VK_DELETE || Key == VK_BACK) && modified) {
    const int position = Key == VK_DELETE ? SelStart() : SelStart() - 1;
    RemoveTyped(position);
    RemoveShown(position);
    Key = 0;
  }
}

void TPassWord::SetFalseChar(char Value) { falseChar_ = Value == 0 ? ' ' : Value; }

void TPassWord::RemoveTyped(int Position) {
  const int selected = SelLength();
  const int start = selected > 0 ? SelStart() : Position;
  const int count = selected > 0 ? selected : 1;
  // Positions come from the field, which other means may have made longer
  // than the hidden text: remove only what the hidden text holds.
  if (start < 0 || static_cast<size_t>(start) >= TypedText.size()) return;
  TypedText.erase(static_cast<size_t>(start), static_cast<size_t>(count));
}

void TPassWord::RemoveShown(int Position) {
  if (SelLength() == 0) {
    if (Position < 0) return;
    SetSelStart(Position);
    SetSelLength(1);
  }
  SetSelText("");
}
