#pragma once

#include <memory>
#include <string>

#include "framework/controls/Label.h"
#include "framework/core/Events.h"
#include "framework/forms/Screen.h"

class TFont;
struct TMessage;

/// A text label that behaves like a link on a web page: while the mouse is
/// over it the label shows its HighLight font and the whole application
/// shows the pointing hand; a mouse button (any) pressed on it asks the
/// shell to open HyperLink. At all other times it shows its Normal font.
///
/// Its font is set from Normal and HighLight only, and it takes the mouse-down
/// event for itself: Font, SetFont and OnMouseDown are not its to give out.
class THtmlLabel : public TLabel {
 public:
  /// HyperLink starts as a web address of the project; Normal and HighLight
  /// start as copies of the label's font, HighLight in blue. The label's own
  /// font is left as it is.
  explicit THtmlLabel(TComponent* Owner);
  ~THtmlLabel() override;

  /// The font while the mouse is over the label (owned by the label).
  TFont* HighLight() const { return highLight_.get(); }
  /// Copies Value into HighLight; what the label shows changes only the next
  /// time the mouse enters it.
  void SetHighLight(TFont* Value);
  /// The font at all other times (owned by the label). Changing its
  /// attributes directly, as a form's layout does, shows only after
  /// ShowLabel.
  TFont* Normal() const { return normal_.get(); }
  /// Copies Value into Normal and shows Normal at once, even while the mouse
  /// is over the label.
  void SetNormal(TFont* Value);

  /// Shows the Normal font.
  void ShowLabel();

  /// The pointer entered: shows HighLight, keeps the application's cursor in
  /// SavedCursor and shows the pointing hand.
  void HLMouseEnter(TMessage& Message);
  /// The pointer left: shows Normal and puts SavedCursor back.
  void HLMouseLeave(TMessage& Message);
  /// Opens HyperLink with the shell, whatever the button; a text the shell
  /// cannot open does nothing visible.
  void HLMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  /// Takes the pointer's enter and leave messages for itself and passes
  /// every other message on.
  void Dispatch(void* Message) override;

  /// What pressing the label opens: a web address, a document or a program,
  /// anything the shell's "open" accepts.
  std::string HyperLink;
  /// The application's cursor when the pointer last entered (crDefault
  /// before that).
  TCursor SavedCursor = crDefault;

 private:
  using TControl::Font;
  using TControl::OnMouseDown;
  using TControl::SetFont;

  std::unique_ptr<TFont> normal_;
  std::unique_ptr<TFont> highLight_;
};
