#include "app/Search_Form.h"

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabSheet.h"
#include "framework/controls/UpDown.h"
#include "framework/forms/Button.h"
#include "framework/graphics/Bitmap.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListView.h"
#include "platform/drives/Folders.h"

TSearchForm* SearchForm = nullptr;

namespace {

// The folder button's picture: an open folder, 17 x 15 pixels in the sixteen
// basic colours; the bottom-left colour is the transparent one.
constexpr const char* kOpenFolder[15] = {
    ".................", ".................", "..KKKK...........", ".KYWYYK..........", ".KWYYYYKKKKKKK...",
    ".KYYYYYYYYYYYK...", ".KYYYYYYYYYYYK...", ".KYYYKKKKKKKKKKKK", ".KYYKDDDDDDDDDDK.", ".KYKDDDDDDDDDDK..",
    ".KYKDDDDDDDDDDK..", ".KKDDDDDDDDDDK...", ".KKDDDDDDDDDDK...", ".KKKKKKKKKKKKK...", ".................",
};

void DrawOpenFolder(TBitmap& glyph) {
  glyph.SetSize(17, 15);
  for (int y = 0; y < 15; ++y) {
    unsigned char* row = glyph.ScanLine(y);
    for (int x = 0; x < 17; ++x) {
      unsigned char r = 0, g = 128, b = 128;  // teal: transparent
      switch (kOpenFolder[y][x]) {
        case 'K': r = g = b = 0; break;
        case 'Y': r = 255, g = 255, b = 0; break;
        case 'W': r = g = b = 255; break;
        case 'D': r = 128, g = 128, b = 0; break;
        default: break;
      }
      row[3 * x] = r;
      row[3 * x + 1] = g;
      row[3 * x + 2] = b;
    }
  }
}

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top) {
  auto* label = new TLabel(owner);
  label->SetParent(parent);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

// A check box wide enough for its caption in the dialog's font.
TCheckBox* AddCheckBox(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top,
                       int width) {
  auto* box = new TCheckBox(owner);
  box->SetParent(parent);
  box->SetCaption(caption);
  box->SetBounds(left, top, width, 17);
  return box;
}

TEdit* AddEdit(TComponent* owner, TWinControl* parent, const std::string& text, int left, int top, int width) {
  auto* edit = new TEdit(owner);
  edit->SetParent(parent);
  edit->SetBounds(left, top, width, 23);
  edit->SetText(text);
  // Text fields keep the window colour whatever colour the dialog takes.
  edit->SetColor(clWindow);
  return edit;
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top, int width) {
  auto* button = new TButton(owner);
  button->SetParent(parent);
  button->SetCaption(caption);
  button->SetBounds(left, top, width, 25);
  return button;
}

// A size bound: the number's edit, its up-down and the unit box.
void AddBound(TComponent* owner, TWinControl* parent, int top, TEdit*& edit, TUpDown*& upDown, TComboBox*& unit) {
  edit = AddEdit(owner, parent, "0", 94, top, 57);
  upDown = new TUpDown(owner);
  upDown->SetParent(parent);
  upDown->SetMin(0);
  upDown->SetMax(32000);
  upDown->SetIncrement(10);
  upDown->SetWrap(false);
  upDown->SetPosition(0);
  upDown->SetAssociate(edit);
  unit = new TComboBox(owner);
  unit->SetParent(parent);
  unit->SetBounds(174, top, 49, 23);
  unit->SetColor(clWindow);
  for (const char* name : {"B", "Kb", "Mb", "Gb"}) unit->AddItem(name);
  unit->SetText("Kb");
}

}  // namespace

TSearchForm::TSearchForm(TComponent* owner) : TForm(owner) {
  CreateControls();
  Mask.clear();
  if (PXManager == nullptr) PXManager = new TPXManager();
  LocDir->Init();
  FilesFound->SetSmallImages(MainForm->FileExt->SmallIcons);
  FilesFound->SetLargeImages(MainForm->FileExt->LargeIcons);
  SetWidth(PXManager->SearchWidth);
  SetHeight(PXManager->SearchHeight);
}

TSearchForm::~TSearchForm() {
  OnActivate = nullptr;
  OnResize = nullptr;
  if (SearchForm == this) SearchForm = nullptr;
}

void TSearchForm::CreateControls() {
  SetCaption("SearchForm");
  SetBounds(Left(), Top(), 769, 466);
  SetPosition(poScreenCenter);
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-12);
  font.SetCharset(0);
  SetFont(font);

  CreateCriteria();

  const auto click = [this](TObject* sender) { ButtonClick(sender); };
  Ok_B = AddButton(this, this, "OK", 672, 53, 89);
  Ok_B->OnClick = click;
  Cancel_B = AddButton(this, this, "Close", 672, 92, 89);
  Cancel_B->OnClick = click;

  FilesFound = new TListView(this);
  FilesFound->SetParent(this);
  FilesFound->SetBounds(7, 168, 778, 385);
  FilesFound->SetViewStyle(vsReport);
  FilesFound->SetReadOnly(true);
  FilesFound->SetRowSelect(true);
  FilesFound->SetMultiSelect(false);
  struct Column {
    const char* caption;
    int width;
  };
  for (const Column& c : {Column{"Location", 200}, Column{"Name", 150}, Column{"Size", 64}, Column{"Type", 141},
                          Column{"Modified", 74}}) {
    TListColumn* column = FilesFound->Columns()->Add();
    column->SetCaption(c.caption);
    column->SetWidth(c.width);
  }

  Found_L = AddLabel(this, this, "What do you want to search for?", 10, 466 - 27 - 20);

  // The picker lies over the result list while it is shown: made last, it
  // stands in front.
  Loc_P = new TPanel(this);
  Loc_P->SetParent(this);
  Loc_P->SetBounds(272, 239, 233, 263);
  Loc_P->SetVisible(false);
  LocDir = new TDirList(this);
  LocDir->SetParent(Loc_P);
  LocDir->SetBounds(11, 16, 209, 193);
  LocDir->SetReadOnly(true);
  LocDir->SetIndent(19);
  Loc_B = AddButton(this, Loc_P, "OK", 75, 224, 83);
  Loc_B->OnClick = click;

  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
}

void TSearchForm::CreateCriteria() {
  SPageControl = new TPageControl(this);
  SPageControl->SetParent(this);
  SPageControl->SetBounds(16, 8, 641, 152);
  const auto page = [this](const std::string& caption) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(caption);
    sheet->SetPageControl(SPageControl);
    return sheet;
  };

  Opts1 = page("Named");
  SInfo1_L = AddLabel(this, Opts1, "Search for Files or Named:", 16, 16);
  Name_E = AddEdit(this, Opts1, "*.*", 16, 32, 201);
  Name_E->SetHint("Search Parameters");
  SInfo2_L = AddLabel(this, Opts1, "Look In:", 16, 72);
  LookIn_E = AddEdit(this, Opts1, "C:\\", 16, 88, 177);
  LookIn_E->SetHint("Drive / Directory to look in");
  Browse_B = new TSpeedButton(this);
  Browse_B->SetParent(Opts1);
  Browse_B->SetBounds(195, 88, 23, 22);
  TBitmap glyph;
  DrawOpenFolder(glyph);
  Browse_B->SetGlyph(glyph);
  Browse_B->OnClick = [this](TObject* sender) { ButtonClick(sender); };

  Opts2 = page("Size");
  SInfo3_L = AddLabel(this, Opts2, "Size:", 14, 16);
  SLeast_CB = AddCheckBox(this, Opts2, "At Least:", 22, 43, 70);
  AddBound(this, Opts2, 40, SLeast_E, SLeast_UD, SLeastUnit);
  SMost_CB = AddCheckBox(this, Opts2, "At Most:", 22, 75, 70);
  AddBound(this, Opts2, 72, SMost_E, SMost_UD, SMostUnit);

  Opts3 = page("Options");
  SubDir_CB = AddCheckBox(this, Opts3, "Search Sub Directories", 40, 24, 161);
  Case_CB = AddCheckBox(this, Opts3, "Case Sensitive", 40, 56, 113);

  SPageControl->SetActivePage(Opts1);
}

void TSearchForm::FormActivate(TObject* Sender) {
  if (MainForm != nullptr && !MainForm->DirList->Location.empty()) {
    // Opening the picker's tree makes its folder current; the main file
    // list's folder must stay current, for the main window acts on plain
    // names in it.
    const std::string current = GetCurrentDirectoryA();
    LocDir->SetDirectory(MainForm->DirList->Location);
    SetCurrentDirectoryA(current);
    LookIn_E->SetText(LocDir->Location);
  }
  FormResize(this);
}

void TSearchForm::ButtonClick(TObject* Sender) {
  if (Sender == Ok_B) {
    StartSearch();
  } else if (Sender == Cancel_B) {
    if (Cancel_B->Caption() == "Cancel") {
      Cancelled = true;
    } else {
      Close();
    }
  } else if (Sender == Browse_B) {
    Loc_P->SetVisible(!Loc_P->Visible());
  } else if (Sender == Loc_B) {
    LookIn_E->SetText(LocDir->Location);
    Loc_P->SetVisible(false);
  }
}

void TSearchForm::FormResize(TObject* Sender) {
  if (PXManager != nullptr) PXManager->ApplyLook(3);
  Ok_B->SetLeft(Width() - Ok_B->Width() - 20);
  Cancel_B->SetLeft(Width() - Cancel_B->Width() - 20);
  SPageControl->SetBounds(6, 6, Ok_B->Left() - 12, SPageControl->Height());
  Found_L->SetTop(Height() - Found_L->Height() - 30);
  const int top = SPageControl->Top() + SPageControl->Height() + 6;
  FilesFound->SetBounds(6, top, Width() - 20, Found_L->Top() - top - 6);
}
