#include "About_Form.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  SetCaption("About");
  SetClientWidth(284);
  SetClientHeight(216);
  SetPosition(poScreenCenter);
}

TAboutBox::~TAboutBox() = default;
