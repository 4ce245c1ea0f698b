#include "app/About_Form.h"

#include <string>

#include "components/HtmlLabel.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/forms/Button.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "platform/libraries/Library.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr int kAnsiCharset = 0;

void FillFont(TFont* font, const std::string& name, int height, TColor color, TFontStyles style = 0) {
  font->SetName(name);
  font->SetHeight(height);
  font->SetCharset(kAnsiCharset);
  font->SetColor(color);
  font->SetStyle(style);
}

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                 const std::string& caption) {
  auto* label = new TLabel(owner);
  label->SetParent(parent);
  label->SetBounds(left, top, width, height);
  label->SetCaption(caption);
  return label;
}

// The picture comes from the resource library as a bitmap. A library or
// picture that cannot be had leaves the image empty: the box works without it.
void LoadPicture(TImage* image) {
  HMODULE images = LoadLibraryA("PX4Images.dll");
  if (images == nullptr) return;
  try {
    TBitmap picture;
    picture.LoadFromResourceName(images, "ABOUT");
    image->SetPicture(&picture);
  } catch (const Exception&) {
  }
  FreeLibrary(images);
}

}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  SetCaption("About");
  SetBorderStyle(bsDialog);
  SetClientWidth(284);
  SetClientHeight(216);
  SetColor(clBtnFace);
  FillFont(Font(), "Arial", -12, clWindowText);
  SetPosition(poScreenCenter);

  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetBounds(5, 9, 271, 165);
  Panel1->SetBevelInner(bvRaised);
  Panel1->SetBevelOuter(bvLowered);

  Image1 = new TImage(this);
  Image1->SetParent(Panel1);
  Image1->SetBounds(12, 18, 65, 133);
  Image1->SetAutoSize(true);
  Image1->SetTransparent(true);
  LoadPicture(Image1);

  // The layout fills the hyperlink's fonts without showing them; ShowLabel
  // below does.
  ISite = new THtmlLabel(this);
  ISite->SetParent(Panel1);
  ISite->SetBounds(89, 14, 100, 15);
  ISite->SetCaption("Pellix developers");
  FillFont(ISite->Normal(), "Impact", -16, clWindowText);
  FillFont(ISite->HighLight(), "Impact", -16, clBlue, fsUnderline);
  ISite->HyperLink = "https://example.org/pellix/";

  ProductName = NewLabel(this, Panel1, 88, 39, 166, 34, "Pellix");
  FillFont(ProductName->Font(), "Impact", -27, clWindowText);
  Version = NewLabel(this, Panel1, 90, 85, 71, 15, "Version: 4.1c");
  Label1 = NewLabel(this, Panel1, 90, 110, 101, 15, "A two-pane file manager");
  Label2 = NewLabel(this, Panel1, 90, 135, 137, 15, "with the byte viewer Quorvin");

  Ok_B = new TButton(this);
  Ok_B->SetParent(this);
  Ok_B->SetBounds(103, 184, 97, 25);
  Ok_B->SetCaption("OK");
  Ok_B->OnClick = [this](TObject* Sender) { Ok_BClick(Sender); };

  ISite->ShowLabel();
}

TAboutBox::~TAboutBox() {
  if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::Ok_BClick(TObject*) {
  if (AboutBox != nullptr) AboutBox->Close();
}
