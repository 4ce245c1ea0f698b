#pragma once

#include "framework/core/Events.h"
#include "framework/forms/Form.h"

class TButton;
class THtmlLabel;
class TImage;
class TLabel;
class TPanel;

/// The about box: the product's name and version, a picture, the maker's
/// name as a hyperlink and two lines about the product, with an OK button.
/// Shown modeless; OK or the close box only hides it.
class TAboutBox : public TForm {
 public:
  /// Builds the box's controls, then shows the hyperlink in its Normal font.
  explicit TAboutBox(TComponent* owner);
  ~TAboutBox() override;

  /// Closes the about box (the one in the global AboutBox).
  void Ok_BClick(TObject* Sender);

  TPanel* Panel1 = nullptr;
  TImage* Image1 = nullptr;
  THtmlLabel* ISite = nullptr;
  TLabel* ProductName = nullptr;
  TLabel* Version = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TButton* Ok_B = nullptr;
};

/// The about box, created at start-up after the properties dialog.
extern TAboutBox* AboutBox;
