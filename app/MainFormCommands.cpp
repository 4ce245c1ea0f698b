// The main window's keys, menus, pop-up menus and standard tool bar.

#include "app/About_Form.h"
#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/Search_Form.h"
#include "app/ViewTypes.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/bars/ToolButton.h"
#include "framework/core/VirtualKeys.h"
#include "framework/listview/ListItem.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/treeview/TreeNode.h"
#include "platform/multimedia/Mci.h"

namespace {

// The tree's image of a CD-ROM drive.
constexpr int kCdRomImage = 5;

}  // namespace

void TMainForm::WireCommands() {
  OnKeyDown = [this](TObject* sender, unsigned short& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
  FileList->OnKeyDown = OnKeyDown;
  DirList->OnKeyDown = OnKeyDown;
  FileList->OnEdited = [this](TObject* sender, TListItem* item, std::string& s) { Rename_File(sender, item, s); };
  DirList->OnEdited = [this](TObject* sender, TTreeNode* node, std::string& s) { Rename_Directory(sender, node, s); };
  FileList->OnCustomDrawItem = [this](TObject* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw) {
    FileListCustomDrawItem(sender, item, state, defaultDraw);
  };
  DirList_PM->OnPopup = [this](TObject* sender) { DirMenuPopup(sender); };

  const auto menuClick = [this](TObject* sender) { MenuClick(sender); };
  for (TMenuItem* item :
       {Run_M,   View_M,   Prop_M,   CreateDir_M, Del_M,   RenameDir_M, RenameFile_M, Exit_M,        Cut_M,   Copy_M,
        Paste_M, Search_M, VLarge_M, VSmall_M,    VList_M, VDetails_M,  VThumb_M,     ProgOptions_M, Learn_M, About_M})
    item->OnClick = menuClick;
  const auto fileMenuClick = [this](TObject* sender) { FileMenuClick(sender); };
  for (TMenuItem* item :
       {Open_FM, Quorvin_FM, Lumbrel_FM, Scrivet_FM, Prop_FM, Cut_FM, Copy_FM, Paste_FM, Delete_FM, Rename_FM})
    item->OnClick = fileMenuClick;
  const auto dirMenuClick = [this](TObject* sender) { DirMenuClick(sender); };
  for (TMenuItem* item : {Prop_DM, Play_DM, Eject_DM, Inject_DM, NewDir_DM, RenameDir_DM, DelDir_DM})
    item->OnClick = dirMenuClick;
  const auto stdBarClick = [this](TObject* sender) { StdBarClick(sender); };
  for (TToolButton* button : {Up_TB, Refresh_TB, Cut_TB, Copy_TB, Paste_TB, Delete_TB, Run_TB, Open_TB})
    button->OnClick = stdBarClick;
}

void TMainForm::FormKeyDown(TObject* /*Sender*/, unsigned short& Key, TShiftState Shift) {
  if (Shift & ssAlt) {
    // Ctrl+Alt counts here too.
    if (Key == VK_RETURN) {
      ShowProperties(0);
    } else if (Key == 'X') {
      Close();
    }
    return;
  }
  if (Shift & ssCtrl) {
    switch (Key) {
      case 'B': RunSelected(vwByteViewer); break;
      case 'C': FileList->CopyFiles(false); break;
      case 'E': RunSelected(vwRunFile); break;
      case 'I': RunSelected(vwImageViewer); break;
      case 'O': RunSelected(vwShellOpen); break;
      case 'R':
        if (!EditSelectedFile()) EditSelectedDirectory();
        break;
      case 'T': RunSelected(vwTextViewer); break;
      case 'V': FileList->PasteFiles(); break;
      case 'X': FileList->CopyFiles(true); break;
      default: break;
    }
    return;
  }
  switch (Key) {
    case VK_F5: RefreshViews(); break;
    case VK_RETURN: RunSelected(vwByFileType); break;
    case VK_F12: RunSelected(vwTextViewer); break;
    case VK_DELETE:
      // Delete belongs to a name editor while one is open.
      if (!FileList->IsEditing() && !DirList->IsEditing()) FileList->DeleteFiles((Shift & ssShift) != 0);
      break;
    default: break;
  }
}

void TMainForm::MenuClick(TObject* Sender) {
  if (Sender == Run_M) {
    RunSelected(vwByFileType);
  } else if (Sender == View_M) {
    RunSelected(vwTextViewer);
  } else if (Sender == Prop_M) {
    ShowProperties(0);
  } else if (Sender == CreateDir_M) {
    CreateNewDir(DirList->Selected());
  } else if (Sender == Del_M) {
    FileList->DeleteFiles(false);
  } else if (Sender == RenameDir_M) {
    EditSelectedDirectory();
  } else if (Sender == RenameFile_M) {
    EditSelectedFile();
  } else if (Sender == Exit_M) {
    Close();
  } else if (Sender == Cut_M) {
    FileList->CopyFiles(true);
  } else if (Sender == Copy_M) {
    FileList->CopyFiles(false);
  } else if (Sender == Paste_M) {
    FileList->PasteFiles();
  } else if (Sender == Search_M) {
    if (SearchForm != nullptr) SearchForm->Show();
  } else if (Sender == VLarge_M) {
    SetViewMode(1);
  } else if (Sender == VSmall_M) {
    SetViewMode(2);
  } else if (Sender == VList_M) {
    SetViewMode(3);
  } else if (Sender == VDetails_M) {
    SetViewMode(4);
  } else if (Sender == VThumb_M) {
    SetViewMode(5);
  } else if (Sender == ProgOptions_M) {
    RunProgramOptions();
  } else if (Sender == Learn_M) {
    LearnFileTypes();
  } else if (Sender == About_M) {
    if (AboutBox != nullptr) AboutBox->Show();
  }
}

void TMainForm::FileMenuClick(TObject* Sender) {
  if (Sender == Open_FM) {
    RunSelected(vwByFileType);
  } else if (Sender == Quorvin_FM) {
    RunSelected(vwByteViewer);
  } else if (Sender == Lumbrel_FM) {
    RunSelected(vwImageViewer);
  } else if (Sender == Scrivet_FM) {
    RunSelected(vwTextViewer);
  } else if (Sender == Prop_FM) {
    ShowProperties(0);
  } else if (Sender == Cut_FM) {
    FileList->CopyFiles(true);
  } else if (Sender == Copy_FM) {
    FileList->CopyFiles(false);
  } else if (Sender == Paste_FM) {
    FileList->PasteFiles();
  } else if (Sender == Delete_FM) {
    FileList->DeleteFiles(false);
  } else if (Sender == Rename_FM) {
    EditSelectedFile();
  }
}

void TMainForm::DirMenuClick(TObject* Sender) {
  TTreeNode* node = DirList->Selected();
  if (Sender == Prop_DM) {
    // The root has no properties; a drive has its page, a folder its own.
    if (node != nullptr && node->Level() == 1) ShowProperties(1);
    if (node != nullptr && node->Level() >= 2) ShowProperties(2);
  } else if (Sender == Play_DM) {
    RunProgram(Programs[2], "", false);
  } else if (Sender == Eject_DM) {
    // Nothing is shown when there is no CD drive or the door does not move.
    mciSendStringA("set cdaudio door open");
  } else if (Sender == Inject_DM) {
    mciSendStringA("set cdaudio door closed");
  } else if (Sender == NewDir_DM) {
    CreateNewDir(node);
  } else if (Sender == RenameDir_DM) {
    EditSelectedDirectory();
  } else if (Sender == DelDir_DM) {
    // With no file selected the list recycles its folder itself.
    FileList->DeleteFiles(false);
  }
}

void TMainForm::DirMenuPopup(TObject* /*Sender*/) {
  const TTreeNode* node = DirList->Selected();
  const bool cd = node != nullptr && node->Level() == 1 && node->ImageIndex() == kCdRomImage;
  Play_DM->SetVisible(cd);
  Eject_DM->SetVisible(cd);
  Inject_DM->SetVisible(cd);
}

void TMainForm::StdBarClick(TObject* Sender) {
  if (Sender == Up_TB) {
    DirList->UpDirectory();
  } else if (Sender == Refresh_TB) {
    RefreshViews();
  } else if (Sender == Cut_TB) {
    FileList->CopyFiles(true);
  } else if (Sender == Copy_TB) {
    FileList->CopyFiles(false);
  } else if (Sender == Paste_TB) {
    FileList->PasteFiles();
  } else if (Sender == Delete_TB) {
    FileList->DeleteFiles(false);
  } else if (Sender == Run_TB) {
    RunSelected(vwByFileType);
  } else if (Sender == Open_TB) {
    RunSelected(vwTextViewer);
  }
}

void TMainForm::ShowProperties(int PageKind) {
  // A window built without the dialogs (tests) has none to show.
  if (PropForm == nullptr) return;
  PropForm->PageKind = static_cast<decltype(PropForm->PageKind)>(PageKind);
  PropForm->Show();
}

void TMainForm::RefreshViews() {
  DirList->Repaint();
  FileList->Refresh_List();
}

bool TMainForm::EditSelectedFile() {
  TListItem* item = FileList->Selected();
  if (item == nullptr) return false;
  item->EditCaption();
  return true;
}

void TMainForm::EditSelectedDirectory() {
  if (TTreeNode* node = DirList->Selected()) node->EditText();
}
