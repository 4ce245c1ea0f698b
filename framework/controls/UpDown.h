#pragma once

#include "framework/forms/Control.h"

class TEdit;
class UpDownKeys;

/// Which arrow of an up-down was pressed: up (next) or down (previous).
enum TUDBtnType { btNext, btPrev };

/// A pair of arrow buttons that steps a number between Min and Max. Bound to
/// an edit (Associate), it stands at the edit's right edge with the edit's
/// height, writes its position into the edit, and takes back what the user
/// types there: Position reads the edit's text when that is a whole number
/// within Min to Max, and otherwise keeps the last position. The Up and Down
/// keys in the bound edit step as the arrows do.
class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);

  TEdit* Associate() const { return associate_; }
  /// Binds an edit (nullptr: none), moves beside it and shows the position in it.
  void SetAssociate(TEdit* edit);

  short Min() const { return min_; }
  void SetMin(short value);
  short Max() const { return max_; }
  void SetMax(short value);
  /// The step of one click.
  short Increment() const { return increment_; }
  void SetIncrement(short value) { increment_ = value; }
  /// Whether stepping past one end goes on from the other.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap) { wrap_ = wrap; }

  /// The number, after taking a valid number typed into the bound edit.
  short Position() const;
  /// Sets the number, held within Min to Max, and shows it in the bound edit.
  void SetPosition(short value);

  /// Steps as a click on an arrow would.
  void Click(TUDBtnType button);

 private:
  void ShowPosition();

  TEdit* associate_ = nullptr;
  UpDownKeys* keys_ = nullptr;  ///< the bound edit's Up and Down keys
  short min_ = 0;
  short max_ = 100;
  short increment_ = 1;
  bool wrap_ = false;
  mutable short position_ = 0;
};
