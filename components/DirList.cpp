#include "components/DirList.h"

#include <vector>

#include "components/DriveInfo.h"
#include "components/FileList.h"
#include "framework/controls/Edit.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/drives/Drives.h"
#include "platform/drives/Folders.h"
#include "platform/files/Find.h"
#include "platform/libraries/Library.h"
#include "platform/system/Locale.h"

namespace {

const char* const kRootText = "My Computer";
const char* const kLibrary = "PX4Images.dll";

// Image positions in DirImages.
constexpr int kFolderImage = 7;
constexpr int kOpenFolderImage = 8;

// The bitmaps of the resource library, in the order of their image positions.
const char* const kBitmapNames[] = {"SM_COMPUTER", "SM_DRIVE0", "SM_DRIVE1",  "SM_DRIVE2", "SM_DRIVE3",
                                    "SM_DRIVE4",   "SM_DRIVE5", "SM_FOLDER1", "SM_FOLDER2"};

// The drive and colon of a drive node's text "(C:)"; what there is of them
// when the text was edited shorter.
std::string DriveOfText(const std::string& text) { return text.size() > 1 ? text.substr(1, 2) : std::string(); }

// The path cut at its backslashes, empty components left out.
std::vector<std::string> PathParts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The child of `node` that a path component names, ignoring case in the
// user's locale. Of case twins ("a" and "A" side by side) the one spelled
// exactly as the component wins, else the first in byte order: the same
// folder the drive map opens for that component, so the selection and the
// current folder never part.
TTreeNode* MatchingChild(const TTreeNode* node, const std::string& component) {
  TTreeNode* found = nullptr;
  for (TTreeNode* child = node->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (child->Text() == component) return child;
    if (CompareStringA(NORM_IGNORECASE, child->Text(), component) != CSTR_EQUAL) continue;
    if (found == nullptr || child->Text() < found->Text()) found = child;
  }
  return found;
}

}  // namespace

TDirList::TDirList(TComponent* Owner) : TTreeView(Owner) {
  AnchorNodes = new TTreeNodes(this);
  AnchorNode = AnchorNodes->AddChild(nullptr, "");
  for (int slot = 1; slot < DriveSlots; ++slot) Drives[slot] = new TDriveInfo;
  OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    DLMouseDown(sender, button, shift, x, y);
  };
  OnExpanding = [this](TObject* sender, TTreeNode* node, bool& allow) { DLOnExpanding(sender, node, allow); };
}

TDirList::~TDirList() {
  for (TDriveInfo*& drive : Drives) {
    delete drive;
    drive = nullptr;
  }
  SetImages(nullptr);
  delete DirImages;
  delete AnchorNodes;
}

void TDirList::Init() {
  LoadImages();
  ShowInLabel(kRootText);
  ReadDrives();
  BuildList();
  if (DirLabel != nullptr) {
    DirLabel->OnKeyDown = [this](TObject* sender, unsigned short& key, TShiftState shift) {
      DLEditKeyDown(sender, key, shift);
    };
  }
}

void TDirList::LoadImages() {
  TBitmap bitmap;
  // A second call starts from a fresh list rather than leaking the first.
  SetImages(nullptr);
  delete DirImages;
  DirImages = new TImageList(nullptr, 16, 16);
  DirImages->Masked = false;
  DirImages->BkColor = clWhite;
  DirImages->BlendColor = clBlue;
  HMODULE library = LoadLibraryA(kLibrary);
  if (library == nullptr) throw Exception(std::string("Unable to Find DLL: ") + kLibrary);
  try {
    for (const char* name : kBitmapNames) {
      bitmap.LoadFromResourceName(library, name);
      DirImages->Add(&bitmap, nullptr);
    }
  } catch (...) {
    FreeLibrary(library);
    throw;
  }
  SetImages(DirImages);
  FreeLibrary(library);
}

void TDirList::BinToStr(unsigned long Mask) {
  for (int bit = 25; bit >= 0; --bit) DriveBits[25 - bit] = (Mask >> bit) & 1 ? '1' : '0';
  DriveBits[26] = '\0';
}

void TDirList::ReadDrives() {
  DriveCount = 1;
  BinToStr(GetLogicalDrives());
  // The last character stands for A, the first for Z. The table has a slot
  // for every letter, and the bound keeps each write inside it.
  for (int i = 25; i >= 0 && DriveCount < DriveSlots; --i) {
    if (DriveBits[i] != '1') continue;
    Drives[DriveCount]->SetDrive(static_cast<char>('a' + (25 - i)));
    ++DriveCount;
  }
}

int TDirList::Get_Drive_Icon(int Index) {
  if (Index < 1 || Index >= DriveSlots || Drives[Index] == nullptr) throw Exception("Invalid Drive Number");
  const int type = Drives[Index]->DriveType;
  if (type < 0) throw Exception("Invalid Drive Number");
  if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return 1;
  return type;
}

void TDirList::BuildList() {
  Items()->Clear();
  TTreeNode* root = Items()->Add(AnchorNode, kRootText);
  root->SetImageIndex(0);
  root->SetSelectedIndex(0);
  for (int slot = 1; slot < DriveCount; ++slot) {
    const TDriveInfo* drive = Drives[slot];
    TTreeNode* node = Items()->AddChild(root, drive->DriveName);
    const int image = Get_Drive_Icon(slot);
    node->SetImageIndex(image);
    node->SetSelectedIndex(image);
    // A removable drive is not read until it is opened, so a missing disc
    // costs no wait.
    if (drive->DriveType != DRIVE_REMOVABLE) ReadSubDirectories(std::string(1, drive->Letter), 1, node);
  }
  AlphaSort();
}

void TDirList::ReadSubDirectories(std::string Path, int Depth, TTreeNode* Node) {
  // Every level is asked for by the caller, so a symbolic link to an
  // ancestor is read no deeper than any other folder.
  if (Depth <= 0 || Node == nullptr) return;
  if (Path.size() == 1) Path += ':';
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileExA(Path + "\\*.*", FindExSearchLimitToDirectories, FILE_ATTRIBUTE_DIRECTORY, data);
  if (search == nullptr) return;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || data.cFileName == "." || data.cFileName == "..")
      continue;
    TTreeNode* child = Items()->AddChild(Node, data.cFileName);
    child->SetImageIndex(kFolderImage);
    child->SetSelectedIndex(kOpenFolderImage);
    ReadSubDirectories(Path + "\\" + data.cFileName, Depth - 1, child);
  } while (FindNextFileA(search, data));
  FindClose(search);
}

std::string TDirList::BuildLocation(TTreeNode* Node) {
  if (Node == nullptr) return std::string();
  const int level = Node->Level();
  if (level == 0) return kRootText;
  if (level == 1) return DriveOfText(Node->Text()) + "\\";
  std::vector<const TTreeNode*> folders;
  const TTreeNode* p = Node;
  for (; p->Level() > 1; p = p->Parent()) folders.push_back(p);
  std::string path = DriveOfText(p->Text());
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) path += "\\" + (*it)->Text();
  return path;
}

void TDirList::DLMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  TTreeNode* node = GetNodeAt(X, Y);
  if (node == nullptr) return;
  if (node->Level() == 0) {
    ShowInLabel(kRootText);
    return;
  }
  // The folder's image follows its state before the handlers run: no node
  // is touched after OnChangeDir, which may change the tree.
  if (node->Level() >= 2) node->SetImageIndex(node->Expanded() ? kOpenFolderImage : kFolderImage);
  const std::string path = BuildLocation(node);
  Location = path;
  if (OnChangeDir) OnChangeDir(this);
  TellFileList(path);
  ShowInLabel(Location);
}

void TDirList::DLOnExpanding(TObject*, TTreeNode* Node, bool& AllowExpansion) {
  AllowExpansion = true;
  SetSelected(Node);
  const int level = Node->Level();
  if (level == 0) return;
  Node->DeleteChildren();
  if (level == 1) {
    Location = BuildLocation(Node);
    ReadSubDirectories(std::string(1, Node->Text().size() > 1 ? Node->Text()[1] : ' '), 2, Node);
  } else {
    Node->SetImageIndex(kOpenFolderImage);
    Location = BuildLocation(Node);
    ReadSubDirectories(Location, 2, Node);
  }
  AlphaSort();
  ShowInLabel(Location);
}

void TDirList::SetDirectory(std::string Path) {
  Path = Trim(Path);
  FullCollapse();
  if (Path.find_first_of("\\:") == std::string::npos) return;
  if (Path.back() != '\\') Path += '\\';
  if (!SetCurrentDirectoryA(Path)) return;

  // The walk follows the folder just made current, spelled as the disk spells
  // it: ".", "..", doubled backslashes and paths relative to the current drive
  // are resolved there, and a case twin is the one the drive map opened.
  const std::vector<std::string> parts = PathParts(GetCurrentDirectoryA());
  TTreeNode* node = Items()->GetFirstNode();
  if (node != nullptr) {
    // The root opens first, so the path below it shows.
    node->Expand(false);
    for (size_t i = 0; i < parts.size(); ++i) {
      const bool drive = i == 0 && parts[i].size() > 1 && parts[i][1] == ':';
      TTreeNode* child = MatchingChild(node, drive ? "(" + parts[i] + ")" : parts[i]);
      // A folder the tree does not hold (hidden, on a drive not read yet)
      // ends the walk at the last node reached, which is selected; the path
      // still opens below.
      if (child == nullptr) {
        SetSelected(node);
        break;
      }
      if (i + 1 == parts.size()) {
        SetSelected(child);
      } else {
        child->Expand(false);
        node = child;
      }
    }
  }
  ShowInLabel(Path);
  TellFileList(Path);
  Location = Path;
}

void TDirList::UpDirectory() {
  TTreeNode* node = Selected();
  if (node == nullptr || node->Level() == 0) return;
  TTreeNode* parent = node->Parent();
  parent->Collapse(false);
  SetSelected(parent);
  ShowInLabel(BuildLocation(parent));
}

void TDirList::DLEditKeyDown(TObject*, unsigned short& Key, TShiftState) {
  if (Key != 13) return;
  if (DirLabel != nullptr) SetDirectory(DirLabel->Text());
  Key = 0;
}

void TDirList::ShowInLabel(const std::string& text) {
  if (DirLabel != nullptr) DirLabel->SetText(text);
}

void TDirList::TellFileList(const std::string& path) {
  if (FileList != nullptr) FileList->SetDirectory(path);
}
