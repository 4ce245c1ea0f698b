#include "components/HtmlLabel.h"

#include "framework/core/Messages.h"
#include "framework/graphics/Font.h"
#include "platform/processes/ShellExecute.h"

namespace {
const char* const kDefaultLink = "https://example.org/";
}  // namespace

THtmlLabel::THtmlLabel(TComponent* Owner)
    : TLabel(Owner), normal_(std::make_unique<TFont>()), highLight_(std::make_unique<TFont>()) {
  OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    HLMouseDown(Sender, Button, Shift, X, Y);
  };
  normal_->Assign(*Font());
  highLight_->Assign(*Font());
  highLight_->SetColor(clBlue);
  HyperLink = kDefaultLink;
}

THtmlLabel::~THtmlLabel() = default;

void THtmlLabel::SetHighLight(TFont* Value) { highLight_->Assign(*Value); }

void THtmlLabel::SetNormal(TFont* Value) {
  normal_->Assign(*Value);
  Font()->Assign(*normal_);
}

void THtmlLabel::ShowLabel() { Font()->Assign(*normal_); }

void THtmlLabel::HLMouseEnter(TMessage&) {
  Font()->Assign(*highLight_);
  SavedCursor = Screen->Cursor();
  Screen->SetCursor(crHandPoint);
}

void THtmlLabel::HLMouseLeave(TMessage&) {
  Font()->Assign(*normal_);
  Screen->SetCursor(SavedCursor);
}

void THtmlLabel::HLMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // The desktop places the application it starts itself, so no owner window
  // is handed over; a failure has nothing to show.
  ShellExecuteA(nullptr, "open", HyperLink, "", "", SW_SHOW);
}

void THtmlLabel::Dispatch(void* Message) {
  TMessage& message = *static_cast<TMessage*>(Message);
  switch (message.Msg) {
    case CM_MOUSEENTER: HLMouseEnter(message); break;
    case CM_MOUSELEAVE: HLMouseLeave(message); break;
    default: TLabel::Dispatch(Message);
  }
}
