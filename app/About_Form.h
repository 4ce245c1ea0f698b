#pragma once

#include "Form.h"

/// The about box: the product's name and version, a picture and the
/// maker's name as a hyperlink. Shown modeless; OK only hides it.
class TAboutBox : public TForm {
 public:
  explicit TAboutBox(TComponent* owner);
  ~TAboutBox() override;
};

/// The about box, created at start-up after the properties dialog.
extern TAboutBox* AboutBox;
