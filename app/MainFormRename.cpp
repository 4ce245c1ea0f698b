// Renaming folders in the tree and files in the list, and making new folders.

#include <string>

#include "app/MainForm.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Dialogs.h"
#include "framework/listview/ListItem.h"
#include "framework/treeview/TreeNode.h"
#include "platform/drives/ExactNames.h"
#include "platform/drives/Folders.h"
#include "platform/files/Find.h"
#include "platform/operations/FileCopy.h"
#include "platform/system/LastError.h"

namespace {

// A new name must name an item of the same folder: with a separator in it a
// rename would move the item into another folder (or be refused only by luck),
// and "", "." and ".." name no item at all.
bool ValidName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}

bool NotFound(std::uint32_t error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
         error == ERROR_INVALID_DRIVE;
}

// The spelling on disk of the entry that `name` finds in a folder (names are
// looked up ignoring case); empty when it finds none.
std::string SpelledOnDisk(const std::string& folder, const std::string& name) {
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA(folder + name, FILE_ATTRIBUTE_ANY, data);
  if (search == nullptr) return "";
  FindClose(search);
  return data.cFileName;
}

// Renames an item of a folder (with its trailing backslash), never over
// another item. A new name that differs from the old one only in case finds
// the item itself, so the move would change nothing and still succeed: such
// a rename goes through a free temporary name, and back to the old name when
// the second step fails. On failure GetLastError tells why.
bool RenameInFolder(const std::string& folder, const std::string& oldName, const std::string& newName) {
  const bool caseOnly = newName != oldName && newName.find_first_of("*?") == std::string::npos &&
                        AnsiCompareText(newName, oldName) == 0 && SpelledOnDisk(folder, newName) == oldName;
  // The old name is the item shown in the list or the tree: once it has
  // gone, a case twin beside it is another item and must not be renamed.
  platform::ExactNames exact;
  if (!caseOnly) return MoveFileA(folder + oldName, folder + newName);
  for (int n = 1; n <= 100; ++n) {
    const std::string temp = oldName + ".~" + std::to_string(n);
    if (!MoveFileA(folder + oldName, folder + temp)) {
      if (GetLastError() == ERROR_ALREADY_EXISTS) continue;
      return false;
    }
    if (MoveFileA(folder + temp, folder + newName)) return true;
    const std::uint32_t error = GetLastError();
    MoveFileA(folder + temp, folder + oldName);
    SetLastError(error);
    return false;
  }
  return false;
}

}  // namespace

void TMainForm::Rename_Directory(TObject* /*Sender*/, TTreeNode* Node, std::string& S) {
  if (Node == nullptr) return;
  const std::string oldText = Node->Text();
  // The folder the edited node stands for, whichever folder was opened last:
  // a node reached with the keyboard is not the tree's Location, and a
  // like-named folder beside Location must never be renamed in its place.
  if (Node->Level() < 2) {
    // The root and the drives are no folders of a parent: their texts
    // ("My Computer", "(C:)") name nothing on disk.
    const std::string oldPath = Node->Level() == 1 ? DirList->BuildLocation(Node) + oldText : oldText;
    S = oldText;
    ShowMessage("Can't find Directory: " + oldPath);
    return;
  }
  const std::string parent = ExtractFilePath(DirList->BuildLocation(Node));
  const std::string oldPath = parent + oldText;
  bool found = false;
  {
    platform::ExactNames exact;  // the node's own folder, not a case twin
    found = DirectoryExists(oldPath);
  }
  if (!ValidName(S) || !found) {
    S = oldText;
    ShowMessage("Can't find Directory: " + oldPath);
    return;
  }
  if (RenameInFolder(parent, oldText, S)) return;
  const std::uint32_t error = GetLastError();
  S = oldText;
  if (error == ERROR_ALREADY_EXISTS) {
    ShowMessage("Directory already exists");
  } else if (NotFound(error)) {
    ShowMessage("Can't find Directory: " + oldPath);
  }
  // Any other reason (no right to write, the folder in use) shows nothing.
}

void TMainForm::Rename_File(TObject* /*Sender*/, TListItem* Item, std::string& S) {
  if (Item == nullptr) return;
  const std::string oldName = Item->Caption();
  // The listed folder is the current folder: its names are the items' own.
  const std::string folder = IncludeTrailingBackslash(FileList->Directory());
  if (ValidName(S) && RenameInFolder(folder, oldName, S)) return;
  S = oldName;
  ShowMessage("Unable to rename file: " + oldName);
}

void TMainForm::CreateNewDir(TTreeNode* Node) {
  if (Node == nullptr) return;
  // Before the tree has opened any folder there is no place to make one.
  if (DirList->Location.empty()) {
    ShowMessage("Unable to Create Directory");
    return;
  }
  const std::string base = IncludeTrailingBackslash(DirList->Location);
  // Only folders are skipped: a file of the name makes the creation fail.
  std::string name = "NewDir";
  for (int n = 1; DirectoryExists(base + name); ++n) name = "NewDir" + std::to_string(n);
  if (!CreateDirectoryA(base + name)) {
    ShowMessage("Unable to Create Directory");
    return;
  }
  // Opening the node reads its folders again. A node shown open already is
  // closed first, and one without folders gets the new one, since opening
  // does nothing for a node without children.
  if (Node->Expanded()) Node->Collapse(false);
  if (!Node->HasChildren() && Node->Level() >= 1) DirList->ReadSubDirectories(DirList->BuildLocation(Node), 1, Node);
  Node->Expand(false);
}
