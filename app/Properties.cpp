#include "Properties.h"

TPropForm* PropForm = nullptr;

TPropForm::TPropForm(TComponent* owner) : TForm(owner) {
  SetCaption("PropForm");
  SetBounds(Left(), Top(), 350, 460);
  SetPosition(poMainFormCenter);
}

TPropForm::~TPropForm() = default;
