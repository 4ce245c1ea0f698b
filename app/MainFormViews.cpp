// The file list's view modes and its thumbnails.

#include <exception>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "components/FileList.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/IconImage.h"
#include "framework/graphics/JpegImage.h"
#include "framework/listview/ListItem.h"
#include "framework/menus/MenuItem.h"

namespace {

// The picture class for a file's extension (upper case, with its dot);
// nullptr for a file that is not drawn as a picture.
std::unique_ptr<TGraphic> PictureFor(const std::string& ext) {
  if (ext == ".BMP") return std::make_unique<TBitmap>();
  if (ext == ".ICO") return std::make_unique<TIcon>();
  if (ext == ".JPG" || ext == ".JPE" || ext == ".JPEG") return std::make_unique<TJPEGImage>();
  return nullptr;
}

}  // namespace

void TMainForm::SetViewMode(int Mode) {
  FileList->Tag = 0;
  switch (Mode) {
    case 1:
      VLarge_M->SetChecked(true);
      FileList->SetViewStyle(vsIcon);
      break;
    case 2:
      VSmall_M->SetChecked(true);
      FileList->SetViewStyle(vsSmallIcon);
      break;
    case 3:
      VList_M->SetChecked(true);
      FileList->SetViewStyle(vsList);
      break;
    case 4:
      VDetails_M->SetChecked(true);
      FileList->SetViewStyle(vsReport);
      break;
    case 5:
      VThumb_M->SetChecked(true);
      FileList->SetViewStyle(vsIcon);
      FileList->Tag = 1;
      break;
    default: break;
  }
  FileList->Repaint();
}

void TMainForm::FileListCustomDrawItem(TObject* /*Sender*/, TListItem* Item, TCustomDrawState State,
                                       bool& DefaultDraw) {
  // A selected item always shows its type's icon.
  if (Item == nullptr || FileList->ViewStyle() != vsIcon || FileList->Tag == 0 || (State & cdsSelected) ||
      Item->Selected())
    return;
  const std::string& name = Item->Caption();
  std::unique_ptr<TGraphic> picture = PictureFor(UpperCase(ExtractFileExt(name)));
  if (!picture) return;
  const TRect icon = Item->DisplayRect(drIcon);
  const TRect label = Item->DisplayRect(drLabel);
  try {
    // The listed folder is the current folder; every drawing reads the file
    // again, so a changed picture shows at the next repaint.
    picture->LoadFromFile(IncludeTrailingBackslash(FileList->Directory()) + name);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.get())) {
      jpeg->SetScaleToCover(icon.Width(), icon.Height());
      jpeg->DIBNeeded();
    }
  } catch (const std::exception&) {
    // A picture that cannot be read is drawn the list's way, without a
    // message: it would come again with every repaint.
    return;
  }
  if (picture->Empty()) return;
  TCanvas* canvas = FileList->Canvas();
  canvas->StretchDraw(icon, picture.get());
  canvas->Brush()->Color = FileList->Color();
  canvas->Font()->SetColor(clBtnText);
  canvas->TextRect(label, label.Left, label.Top, name);
  DefaultDraw = false;
}
