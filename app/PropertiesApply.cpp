// The properties dialog's buttons: OK and Cancel, and the three disk tools.

#include <memory>

#include "app/MainForm.h"
#include "app/Properties.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/Drives.h"
#include "platform/drives/ExactNames.h"
#include "platform/drives/Folders.h"
#include "platform/drives/SystemFolders.h"
#include "platform/files/FileAttributes.h"
#include "platform/operations/FileCopy.h"

namespace {

// A name as the current folder sees it, made a full path: the move takes
// full paths only. A name with a drive stays as it is; one starting with a
// backslash is taken from the current drive's root.
std::string AgainstCurrentFolder(const std::string& name) {
  if (name.size() >= 2 && name[1] == ':') return name;
  const std::string current = GetCurrentDirectoryA();
  if (!name.empty() && name[0] == '\\') return current.substr(0, 2) + name;
  return IncludeTrailingBackslash(current) + name;
}

}  // namespace

void TPropForm::PButtonClick(TObject* Sender) {
  if (Sender == Ok_B) {
    switch (PageKind) {
      case 0: ApplyFileChanges(); break;
      case 1: ApplyDriveChanges(); break;
      case 2: ApplyDirChanges(); break;
      default: break;
    }
    MainForm->FileList->Refresh_List();
  }
  Close();
}

void TPropForm::ApplyFileChanges() {
  // The page shows a plain name of the folder listed when it was filled.
  // With nothing selected any more the list may show another folder, where
  // that name could be another file: nothing is changed then.
  std::string selected;
  {
    const std::unique_ptr<TStringList> names(MainForm->FileList->FindSelectedFiles());
    if (names->Count() == 0) return;
    selected = names->Strings(0);
  }
  // The first selected name is exactly the item shown: a case twin beside
  // it, once it has gone, is another file and keeps its bits and name.
  platform::ExactNames exact;
  if (Archive_CB->Checked() != FileInfo.IsArchive || Hidden_CB->Checked() != FileInfo.IsHidden ||
      ReadOnly_CB->Checked() != FileInfo.IsReadOnly || System_CB->Checked() != FileInfo.IsSystem) {
    // The boxes alone make the new value: every other bit is dropped.
    std::uint32_t attributes = 0;
    if (Archive_CB->Checked()) attributes += FILE_ATTRIBUTE_ARCHIVE;
    if (Hidden_CB->Checked()) attributes += FILE_ATTRIBUTE_HIDDEN;
    if (System_CB->Checked()) attributes += FILE_ATTRIBUTE_SYSTEM;
    if (ReadOnly_CB->Checked()) attributes += FILE_ATTRIBUTE_READONLY;
    if (!SetFileAttributesA(selected, attributes)) ShowMessage("Unable to change file Attributes");
  }
  const std::string name = FileName_E->Text();
  if (name != FileInfo.Name && !MoveFileA(AgainstCurrentFolder(FileInfo.Name), AgainstCurrentFolder(name))) {
    ShowMessage("Unable to rename File");
  }
}

void TPropForm::ApplyDirChanges() {
  const std::string name = IDirName_E->Text();
  if (name == FileInfo.Name) return;
  const std::string folder = IncludeTrailingBackslash(ILocation_L->Caption());
  const std::string from = folder + FileInfo.Name;
  const std::string to = folder + name;
  if (!MoveFileA(from, to)) {
    ShowMessage("Unable to rename Directory");
    return;
  }
  // The list and the tree's location move with a folder they stood on, so
  // the re-read that follows finds it under its new name.
  if (ExcludeTrailingBackslash(MainForm->FileList->Directory()) == from) MainForm->FileList->SetDirectory(to);
  if (ExcludeTrailingBackslash(MainForm->DirList->Location) == from) MainForm->DirList->Location = to;
}

void TPropForm::ApplyDriveChanges() {
  const std::string label = DriveName_E->Text();
  if (label == DiskInfo.VolumeLabel) return;
  if (label.empty()) {
    ShowMessage("You must specify a name");
    return;
  }
  if (!SetVolumeLabelA(DiskInfo.Drive + "\\", label)) ShowMessage("Unable to change volume label");
}

void TPropForm::ToolsButtonClick(TObject* Sender) {
  std::string tool;
  if (Sender == Defrag_B) tool = "Defrag.exe";
  if (Sender == ErrCheck_B) tool = "ScanDskw.exe";
  if (Sender == Clean_B) tool = "CleanMgr.exe";
  if (tool.empty()) return;
  // The tools are the system's own, in its Windows folder; where they are
  // missing the program starter says so.
  MainForm->RunProgram(IncludeTrailingBackslash(GetWindowsDirectoryA()) + tool, DiskInfo.Drive, false);
}
