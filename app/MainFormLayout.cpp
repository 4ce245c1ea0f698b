// The main window's design: its controls, menus, bars and image list, with
// their geometry, captions, hints, fonts and wiring.

#include <string>

#include "app/MainForm.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/bars/ControlBar.h"
#include "framework/bars/ToolBar.h"
#include "framework/bars/ToolButton.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/MainMenu.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "platform/libraries/Library.h"

namespace {

constexpr const char* kImageLibrary = "PX4Images.dll";

// The standard tool bar's pictures, by image index.
constexpr const char* kStdImageNames[] = {"STD_UP",   "STD_MOVE",   "STD_COPY",    "STD_PASTE",
                                          "STD_VIEW", "STD_DELETE", "STD_REFRESH", "STD_RUN"};

struct ItemDesign {
  const char* caption;
  const char* hint;
  const char* shortCut;
};

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& name, const ItemDesign& design) {
  auto* item = new TMenuItem(owner);
  item->Name = name;
  item->SetCaption(design.caption);
  item->SetHint(design.hint);
  item->SetShortCutText(design.shortCut);
  parent->Add(item);
  return item;
}

TToolButton* AddButton(TComponent* owner, TToolBar* bar, const std::string& name, const std::string& caption) {
  auto* button = new TToolButton(owner);
  button->Name = name;
  button->SetCaption(caption);
  button->SetParent(bar);
  return button;
}

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption, int left,
                 int top) {
  auto* label = new TLabel(owner);
  label->Name = name;
  label->SetParent(parent);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

TFont DesignFont(int pixels) {
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(pixels);
  return font;
}

}  // namespace

void TMainForm::CreateControls() {
  Name = "MainForm";
  SetCaption("Pellix");
  SetBounds(1, -6, 801, 605);
  SetColor(clBtnFace);
  SetFont(DesignFont(13));

  // The list is made first: it is first in the tab order and so has the focus.
  FileList = new TFileList(this);
  FileList->Name = "FileList";
  FileList->SetParent(this);
  FileList->SetBounds(233, 58, 553, 422);
  FileList->SetFont(DesignFont(11));
  FileList->Tag = 1;
  FileList->HoverTime = 0;
  FileList->SetMultiSelect(true);
  FileList->SetRowSelect(true);
  FileList->SetViewStyle(vsReport);
  FileList->OnDblClick = [this](TObject* sender) { FileListDblClick(sender); };

  DirList = new TDirList(this);
  DirList->Name = "DirList";
  DirList->SetParent(this);
  DirList->SetBounds(10, 57, 217, 422);
  DirList->SetFont(DesignFont(11));
  DirList->SetIndent(19);

  FileExt = new TExtension(this);
  FileExt->Name = "FileExt";
  FileExt->FileName = "reginfo.ini";
  FileExt->LoadExtra = true;

  CreateMenus();
  CreateBars();

  StatusPanel = new TPanel(this);
  StatusPanel->Name = "StatusPanel";
  StatusPanel->SetParent(this);
  StatusPanel->SetBounds(9, 507, 470, 24);
  File_L = AddLabel(this, StatusPanel, "File_L", "0 Files", 9, 3);
  HintLabel = AddLabel(this, StatusPanel, "HintLabel", "", 149, 2);

  FileList->SetPopupMenu(FileList_PM);
  FileList->Extension = FileExt;
  FileList->FilesLabel = File_L;
  FileList->Mask = "*.*";
  DirList->SetPopupMenu(DirList_PM);
  DirList->DirLabel = CurrentDir_E;
  DirList->FileList = FileList;
  FileList->SetFocus();
}

void TMainForm::CreateMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->Name = "MainMenu";
  TMenuItem* root = MainMenu->Items();

  File_M = AddItem(this, root, "File_M", {"&File", "", ""});
  Run_M = AddItem(this, File_M, "Run_M", {"&Open File", "Opens the selected File's", "Enter"});
  View_M = AddItem(this, File_M, "View_M", {"View File", "Views the Selected File", "F12"});
  Prop_M = AddItem(this, File_M, "Prop_M", {"&Properties", "Displays properties of the selected item", "Alt+Enter"});
  MN1 = AddItem(this, File_M, "MN1", {"-", "", ""});
  CreateDir_M =
      AddItem(this, File_M, "CreateDir_M", {"&Create Directory", "Creates a new Directory under the Selected one", ""});
  Del_M = AddItem(this, File_M, "Del_M", {"&Delete", "Sends the selected item's to the Recycle bin", "Delete"});
  RenameDir_M = AddItem(this, File_M, "RenameDir_M", {"R&ename Directory", "Renames the Selected Directory", ""});
  RenameFile_M = AddItem(this, File_M, "RenameFile_M", {"&Rename File", "Renames the selected File", "Ctrl+R"});
  MN2 = AddItem(this, File_M, "MN2", {"-", "", ""});
  Exit_M = AddItem(this, File_M, "Exit_M", {"E&xit", "Closes Pellix", "Alt+X"});

  Edit_M = AddItem(this, root, "Edit_M", {"&Edit", "", ""});
  Cut_M = AddItem(this, Edit_M, "Cut_M", {"Cut", "Places the selected item's on the Clipboard", "Ctrl+X"});
  Copy_M = AddItem(this, Edit_M, "Copy_M", {"Copy", "Places the selected item's on the Clipboard", "Ctrl+C"});
  Paste_M = AddItem(this, Edit_M, "Paste_M", {"Paste", "Moves or Copies the items from the Clipboard", "Ctrl+V"});
  MN3 = AddItem(this, Edit_M, "MN3", {"-", "", ""});
  Search_M = AddItem(this, Edit_M, "Search_M", {"&Search", "Searches for a specified File or Directory", ""});

  View_MM = AddItem(this, root, "View_MM", {"&View", "", ""});
  VLarge_M = AddItem(this, View_MM, "VLarge_M", {"Lar&ge Icons", "Changes the view to Large Icons", ""});
  VSmall_M = AddItem(this, View_MM, "VSmall_M", {"S&mall Icons", "Changes the view to Small Icons", ""});
  VList_M = AddItem(this, View_MM, "VList_M", {"&List", "Changes the view to a List", ""});
  VDetails_M = AddItem(this, View_MM, "VDetails_M",
                       {"&Details", "Changes the view to a List and Displays Details about the files", ""});
  VThumb_M = AddItem(this, View_MM, "VThumb_M", {"&Thumbnails", "Allows some Pictures to be shown in the List", ""});
  for (TMenuItem* item : {VLarge_M, VSmall_M, VList_M, VDetails_M, VThumb_M}) {
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
  }
  VDetails_M->SetChecked(true);

  Options_M = AddItem(this, root, "Options_M", {"&Options", "", ""});
  ProgOptions_M = AddItem(this, Options_M, "ProgOptions_M", {"&Program Options", "Change Program Options", ""});
  Learn_M = AddItem(this, Options_M, "Learn_M", {"&Learn File Types", "Learn File Types", ""});

  Help_M = AddItem(this, root, "Help_M", {"&Help", "", ""});
  About_M = AddItem(this, Help_M, "About_M", {"&About", "", ""});

  FileList_PM = new TPopupMenu(this);
  FileList_PM->Name = "FileList_PM";
  TMenuItem* list = FileList_PM->Items();
  Open_FM = AddItem(this, list, "Open_FM", {"&Open", "", ""});
  View_FM = AddItem(this, list, "View_FM", {"&View", "", ""});
  Quorvin_FM = AddItem(this, View_FM, "Quorvin_FM", {"Binary Viewer", "", ""});
  Lumbrel_FM = AddItem(this, View_FM, "Lumbrel_FM", {"Image Viewer", "", ""});
  Scrivet_FM = AddItem(this, View_FM, "Scrivet_FM", {"Text Viewer", "", ""});
  Prop_FM = AddItem(this, list, "Prop_FM", {"&Properties", "", ""});
  FN1 = AddItem(this, list, "FN1", {"-", "", ""});
  Cut_FM = AddItem(this, list, "Cut_FM", {"C&ut", "", ""});
  Copy_FM = AddItem(this, list, "Copy_FM", {"C&opy", "", ""});
  Paste_FM = AddItem(this, list, "Paste_FM", {"P&aste", "", ""});
  FN2 = AddItem(this, list, "FN2", {"-", "", ""});
  Delete_FM = AddItem(this, list, "Delete_FM", {"&Delete", "", ""});
  Rename_FM = AddItem(this, list, "Rename_FM", {"Re&name", "", ""});

  DirList_PM = new TPopupMenu(this);
  DirList_PM->Name = "DirList_PM";
  TMenuItem* tree = DirList_PM->Items();
  Prop_DM = AddItem(this, tree, "Prop_DM", {"&Properties", "", ""});
  Play_DM = AddItem(this, tree, "Play_DM", {"P&lay CD", "", ""});
  Eject_DM = AddItem(this, tree, "Eject_DM", {"&Eject", "", ""});
  Inject_DM = AddItem(this, tree, "Inject_DM", {"&Inject", "", ""});
  DN1 = AddItem(this, tree, "DN1", {"-", "", ""});
  NewDir_DM = AddItem(this, tree, "NewDir_DM", {"&Create Directory", "", ""});
  RenameDir_DM = AddItem(this, tree, "RenameDir_DM", {"&Rename Directory", "", ""});
  DelDir_DM = AddItem(this, tree, "DelDir_DM", {"&Delete Direcory", "", ""});

  ControlBarMenu = new TPopupMenu(this);
  ControlBarMenu->Name = "ControlBarMenu";
  TMenuItem* bars = ControlBarMenu->Items();
  Menu_CM = AddItem(this, bars, "Menu_CM", {"&Menu Buttons", "", ""});
  Loc_CM = AddItem(this, bars, "Loc_CM", {"&Location", "", ""});
  Std_CM = AddItem(this, bars, "Std_CM", {"&Standard Buttons", "", ""});
  for (TMenuItem* item : {Menu_CM, Loc_CM, Std_CM}) {
    item->SetChecked(true);
    item->OnClick = [this](TObject* sender) { ControlMenuClick(sender); };
  }
}

void TMainForm::CreateBars() {
  ControlBar = new TControlBar(this);
  ControlBar->Name = "ControlBar";
  ControlBar->SetParent(this);
  ControlBar->SetBounds(0, 0, 793, 55);
  ControlBar->SetRowSize(27);
  ControlBar->SetRowSnap(false);
  ControlBar->SetBevelKind(bkNone);
  ControlBar->SetAutoSize(true);
  ControlBar->SetPopupMenu(ControlBarMenu);

  MenuBar = new TToolBar(this);
  MenuBar->Name = "MenuBar";
  MenuBar->SetParent(ControlBar);
  MenuBar->SetLeft(11);
  MenuBar->SetTop(2);
  MenuBar->SetFlat(true);
  MenuBar->SetShowCaptions(true);
  MenuBar->SetButtonWidth(62);
  MenuBar->SetButtonHeight(24);
  MenuBar->SetWrapable(false);
  MenuBar->SetEdgeBorders(0);
  MenuBar->SetAutoSize(true);
  File_TB = AddButton(this, MenuBar, "File_TB", "&File");
  Edit_TB = AddButton(this, MenuBar, "Edit_TB", "&Edit");
  Options_TB = AddButton(this, MenuBar, "Options_TB", "&Options");
  View_TB = AddButton(this, MenuBar, "View_TB", "&View");
  Help_TB = AddButton(this, MenuBar, "Help_TB", "&Help");
  File_TB->SetMenuItem(File_M);
  Edit_TB->SetMenuItem(Edit_M);
  Options_TB->SetMenuItem(Options_M);
  View_TB->SetMenuItem(View_MM);
  Help_TB->SetMenuItem(Help_M);

  StdImages = new TImageList(this, 16, 16);
  StdImages->Name = "StdImages";
  HMODULE library = LoadLibraryA(kImageLibrary);
  if (library == nullptr) throw Exception(std::string("Unable to Find DLL: ") + kImageLibrary);
  try {
    for (const char* name : kStdImageNames) {
      TBitmap bitmap;
      bitmap.LoadFromResourceName(library, name);
      StdImages->Add(&bitmap);
    }
  } catch (...) {
    FreeLibrary(library);
    throw;
  }
  FreeLibrary(library);

  StdBar = new TToolBar(this);
  StdBar->Name = "StdBar";
  StdBar->SetParent(ControlBar);
  StdBar->SetBounds(334, 2, 197, 23);
  StdBar->SetEdgeBorders(0);
  StdBar->SetImages(StdImages);
  StdBar->SetShowHint(true);
  struct ButtonDesign {
    TToolButton** field;
    const char* name;
    const char* caption;
    const char* hint;
    int image;  // -1: a separator
  };
  const ButtonDesign buttons[] = {
      {&Up_TB, "Up_TB", "Up", "Up", 0},
      {&Refresh_TB, "Refresh_TB", "Refresh", "Refresh", 6},
      {&Sep1, "Sep1", "", "", -1},
      {&Cut_TB, "Cut_TB", "Move Files", "Move Files", 1},
      {&Copy_TB, "Copy_TB", "Copy Files", "Copy Files", 2},
      {&Paste_TB, "Paste_TB", "Paste File's", "Paste Files", 3},
      {&Sep2, "Sep2", "", "", -1},
      {&Delete_TB, "Delete_TB", "Delete File's", "Send Selected Files to Recycle Bin", 5},
      {&Run_TB, "Run_TB", "Open File's", "Run File's", 7},
      {&Open_TB, "Open_TB", "View File", "View File", 4},
  };
  for (const ButtonDesign& design : buttons) {
    TToolButton* button = new TToolButton(this);
    button->Name = design.name;
    if (design.image < 0) {
      button->SetStyle(tbsSeparator);
      button->SetWidth(6);
    } else {
      button->SetCaption(design.caption);
      button->SetHint(design.hint);
      button->SetImageIndex(design.image);
    }
    button->SetParent(StdBar);
    *design.field = button;
  }

  LocationBar = new TPanel(this);
  LocationBar->Name = "LocationBar";
  LocationBar->SetParent(ControlBar);
  LocationBar->SetBounds(11, 30, 454, 23);
  Location_L = AddLabel(this, LocationBar, "Location_L", "Location:", 5, 3);
  CurrentDir_E = new TEdit(this);
  CurrentDir_E->Name = "CurrentDir_E";
  CurrentDir_E->SetParent(LocationBar);
  CurrentDir_E->SetBounds(64, 2, 387, 19);
}
