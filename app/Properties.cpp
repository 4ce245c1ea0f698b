#include "app/Properties.h"

#include "app/PXManager.h"
#include "framework/chart/Chart.h"
#include "framework/chart/PieSeries.h"
#include "framework/controls/Bevel.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Shape.h"
#include "framework/controls/TabSheet.h"
#include "framework/forms/Button.h"

TPropForm* PropForm = nullptr;

namespace {

constexpr TColor kFreeColor = clFuchsia;
constexpr TColor kUsedColor = clBlue;

TLabel* MakeLabel(TPropForm* form, TWinControl* parent, int left, int top, const std::string& caption) {
  auto* label = new TLabel(form);
  label->SetParent(parent);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

TEdit* MakeEdit(TPropForm* form, TWinControl* parent, int left, int top, int width) {
  auto* edit = new TEdit(form);
  edit->SetParent(parent);
  edit->SetBounds(left, top, width, 23);
  return edit;
}

TCheckBox* MakeCheckBox(TPropForm* form, TWinControl* parent, int left, int top, const std::string& caption) {
  auto* box = new TCheckBox(form);
  box->SetParent(parent);
  box->SetBounds(left, top, 97, 17);
  box->SetCaption(caption);
  return box;
}

TBevel* MakeLine(TPropForm* form, TWinControl* parent, int top, int height) {
  auto* bevel = new TBevel(form);
  bevel->SetParent(parent);
  bevel->SetBounds(8, top, 281, height);
  bevel->SetShape(bsBottomLine);
  return bevel;
}

TButton* MakeButton(TPropForm* form, TWinControl* parent, int left, int top, int width, const std::string& caption) {
  auto* button = new TButton(form);
  button->SetParent(parent);
  button->SetBounds(left, top, width, 25);
  button->SetCaption(caption);
  return button;
}

TTabSheet* MakeSheet(TPropForm* form, TPageControl* control, const std::string& caption) {
  auto* sheet = new TTabSheet(form);
  sheet->SetPageControl(control);
  sheet->SetCaption(caption);
  return sheet;
}

}  // namespace

TPropForm::TPropForm(TComponent* owner) : TForm(owner) {
  SetCaption("PropForm");
  SetBounds(Left(), Top(), 350, 460);
  SetPosition(poMainFormCenter);
  SetBorderIcons(biSystemMenu);
  SetColor(clBtnFace);
  Font()->SetName("Arial");
  Font()->SetHeight(12);
  Font()->SetCharset(0);

  // Controls are made in their tab order: the page control with its pages,
  // then OK and Cancel.
  PageControl = new TPageControl(this);
  PageControl->SetParent(this);
  PageControl->SetBounds(16, 8, 305, 377);
  FileProp = MakeSheet(this, PageControl, "General");
  DriveProp = MakeSheet(this, PageControl, "Drive Info");
  ToolsCtrl = MakeSheet(this, PageControl, "Tools");
  DirProp = MakeSheet(this, PageControl, "General");
  CreateFilePage();
  CreateDrivePage();
  CreateToolsPage();
  CreateDirPage();
  PageControl->SetActivePage(FileProp);

  Ok_B = MakeButton(this, this, 79, 400, 89, "OK");
  Cancel_B = MakeButton(this, this, 175, 400, 89, "Cancel");
  Ok_B->OnClick = [this](TObject* sender) { PButtonClick(sender); };
  Cancel_B->OnClick = [this](TObject* sender) { PButtonClick(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };

  // A manager made here has read no settings: the window keeps its own size.
  if (PXManager == nullptr) {
    PXManager = new TPXManager();
  } else {
    SetWidth(PXManager->PropWidth);
    SetHeight(PXManager->PropHeight);
  }
}

TPropForm::~TPropForm() {
  if (PropForm == this) PropForm = nullptr;
}

void TPropForm::CreateFilePage() {
  // The attribute boxes come first in the page's tab order, the name last.
  Archive_CB = MakeCheckBox(this, FileProp, 32, 272, "Archive");
  Hidden_CB = MakeCheckBox(this, FileProp, 32, 296, "Hidden");
  System_CB = MakeCheckBox(this, FileProp, 144, 296, "System");
  ReadOnly_CB = MakeCheckBox(this, FileProp, 144, 272, "Read Only");
  FileName_E = MakeEdit(this, FileProp, 48, 24, 185);

  FInfo1_L = MakeLabel(this, FileProp, 12, 64, "File Type:");
  FInfo2_L = MakeLabel(this, FileProp, 12, 88, "Location:");
  FInfo3_L = MakeLabel(this, FileProp, 12, 112, "Size:");
  FInfo4_L = MakeLabel(this, FileProp, 12, 160, "Created:");
  FInfo5_L = MakeLabel(this, FileProp, 12, 184, "Modified:");
  FInfo6_L = MakeLabel(this, FileProp, 12, 208, "Accessed:");
  Info7_L = MakeLabel(this, FileProp, 12, 248, "Attributes:");
  // The value labels start empty: a page shown before anything was read
  // shows nothing rather than the labels' names.
  Report1_L = MakeLabel(this, FileProp, 74, 64, "");
  Report2_L = MakeLabel(this, FileProp, 74, 88, "");
  Report3_L = MakeLabel(this, FileProp, 74, 112, "");
  Report4_L = MakeLabel(this, FileProp, 74, 160, "");
  Report5_L = MakeLabel(this, FileProp, 74, 184, "");
  Report6_L = MakeLabel(this, FileProp, 74, 208, "");
  Bevel1 = MakeLine(this, FileProp, 137, 8);
  Bevel2 = MakeLine(this, FileProp, 235, 7);
}

void TPropForm::CreateDrivePage() {
  DriveName_E = MakeEdit(this, DriveProp, 109, 26, 140);
  DInfo0_L = MakeLabel(this, DriveProp, 24, 32, "Volume Label:");
  DInfo1_L = MakeLabel(this, DriveProp, 53, 80, "Capacity:");
  DInfo2_L = MakeLabel(this, DriveProp, 37, 104, "Free Space:");
  DInfo3_L = MakeLabel(this, DriveProp, 32, 128, "Used Space:");
  DriveSize_L = MakeLabel(this, DriveProp, 109, 80, "");
  DriveFree_L = MakeLabel(this, DriveProp, 109, 104, "");
  DriveUsed_L = MakeLabel(this, DriveProp, 109, 128, "");

  // The two squares are the pie's legend, in the slices' colours.
  DShape1 = new TShape(this);
  DShape1->SetParent(DriveProp);
  DShape1->SetBounds(16, 105, 12, 12);
  DShape1->SetShape(stSquare);
  DShape1->SetBrushColor(kFreeColor);
  DShape2 = new TShape(this);
  DShape2->SetParent(DriveProp);
  DShape2->SetBounds(16, 129, 12, 12);
  DShape2->SetShape(stSquare);
  DShape2->SetBrushColor(kUsedColor);

  SpaceUsage = new TChart(this);
  SpaceUsage->SetParent(DriveProp);
  SpaceUsage->SetBounds(8, 160, 281, 177);
  SpaceUsage->SetTitle("Space Usage");
  SpaceUsage->TitleFont()->SetName("Arial");
  SpaceUsage->TitleFont()->SetHeight(11);
  SpaceUsage->TitleFont()->SetColor(clBlack);
  Series1 = new TPieSeries(this);
  Series1->SetParentChart(SpaceUsage);
  Series1->SetCircled(true);
  Series1->SetRotationAngle(10);
}

void TPropForm::CreateToolsPage() {
  struct Tool {
    TGroupBox** box;
    TLabel** label;
    TButton** button;
    int top;
    const char* title;
    const char* text;
  };
  const Tool tools[] = {
      {&TInfo1_GB, &TInfo1_L, &Defrag_B, 8, "Defragment Drive", "Rearange files to allow programs to run faster"},
      {&TInfo2_GB, &TInfo2_L, &ErrCheck_B, 120, "Error Check", "Check Drive for Errors"},
      {&TInfo3_GB, &TInfo3_L, &Clean_B, 232, "Disk Cleanup", "Remove Unnecessary Files"},
  };
  for (const Tool& tool : tools) {
    auto* box = new TGroupBox(this);
    box->SetParent(ToolsCtrl);
    box->SetBounds(8, tool.top, 281, 105);
    box->SetCaption(tool.title);
    *tool.box = box;
    *tool.label = MakeLabel(this, box, 16, 24, tool.text);
    *tool.button = MakeButton(this, box, 144, 64, 121, tool.title);
    (*tool.button)->OnClick = [this](TObject* sender) { ToolsButtonClick(sender); };
  }
}

void TPropForm::CreateDirPage() {
  IDirName_E = MakeEdit(this, DirProp, 48, 24, 185);
  IInfo1_L = MakeLabel(this, DirProp, 12, 64, "Type:");
  IInfo2_L = MakeLabel(this, DirProp, 12, 88, "Location:");
  IInfo3_L = MakeLabel(this, DirProp, 12, 112, "Size:");
  IInfo4_L = MakeLabel(this, DirProp, 12, 136, "Contains:");
  IInfo5_L = MakeLabel(this, DirProp, 12, 184, "Created:");
  IFileType_L = MakeLabel(this, DirProp, 74, 64, "Directory");
  ILocation_L = MakeLabel(this, DirProp, 74, 88, "");
  ISize_L = MakeLabel(this, DirProp, 74, 112, "");
  IContains_L = MakeLabel(this, DirProp, 74, 136, "");
  ICreated_L = MakeLabel(this, DirProp, 74, 184, "");
  IBevel1 = MakeLine(this, DirProp, 161, 8);
}
