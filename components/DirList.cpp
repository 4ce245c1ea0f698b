#include "components/DirList.h"

#include <vector>

#include "components/DriveInfo.h"
#include "components/FileList.h"
#include "framework/controls/Edit.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/core/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/drives/DriveMap.h"
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

// The names a look-ahead read takes from a folder at one go: a few
// milliseconds' worth, so a folder of 100,000 files neither holds up the
// window's start nor blocks it afterwards.
constexpr int kReadAheadNames = 4096;

// The bitmaps of the resource library, in the order of their image positions.
const char* const kBitmapNames[] = {"SM_COMPUTER", "SM_DRIVE0", "SM_DRIVE1",  "SM_DRIVE2", "SM_DRIVE3",
                                    "SM_DRIVE4",   "SM_DRIVE5", "SM_FOLDER1", "SM_FOLDER2"};

// The drive and colon of a drive node's text "(C:)"; what there is of them
// when the text was edited shorter.
std::string DriveOfText(const std::string& text) { return text.size() > 1 ? text.substr(1, 2) : std::string(); }

// A relative path joined to a folder: one starting with a backslash to the
// folder's drive root, another below the folder. A path with a drive of its
// own ("D:docs") stays, for the current folder of that drive.
std::string AgainstFolder(const std::string& folder, const std::string& path) {
  if (path.size() > 1 && path[1] == ':') return path;
  if (path.front() == '\\') return folder.substr(0, 2) + path;
  return IncludeTrailingBackslash(folder) + path;
}

// The node of a sub-folder the folder read gave, added below `parent`;
// nullptr for any other entry ("." and "..", a plain file).
TTreeNode* AddFolderNode(TTreeNodes* items, TTreeNode* parent, const WIN32_FIND_DATAA& data) {
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || data.cFileName == "." || data.cFileName == "..")
    return nullptr;
  TTreeNode* child = items->AddChild(parent, data.cFileName);
  child->SetImageIndex(kFolderImage);
  child->SetSelectedIndex(kOpenFolderImage);
  return child;
}

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
  readAhead_ = new TTimer(this);
  readAhead_->SetEnabled(false);
  readAhead_->SetInterval(1);
  readAhead_->OnTimer = [this](TObject*) { ReadAheadTick(); };
}

TDirList::~TDirList() {
  for (PendingRead& read : pending_) FindClose(read.Search);
  pending_.clear();
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
  DropReadsBelow(nullptr);
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
  if (Depth <= 0 || Node == nullptr) return;
  if (Path.size() == 1) Path += ':';
  // A fresh read of the node replaces any look-ahead still going on below it.
  DropReadsBelow(Node);
  ReadFolders(Path, Depth, Node, 0);
}

void TDirList::ReadFolders(const std::string& path, int depth, TTreeNode* node, std::uint32_t linkCount) {
  // Every level is asked for by the caller, so a symbolic link to an
  // ancestor is read no deeper than any other folder. Folders only: the
  // plain files beside them are never looked at.
  HFIND search = platform::FindOpenExA(path + "\\*.*", FILE_ATTRIBUTE_DIRECTORY, FindExInfoStandard,
                                       FindExSearchLimitToDirectories);
  if (search == nullptr) return;
  if (depth == 1) {
    // The last level read only decides whether the node shows an expand
    // button. A long folder is read on while the window idles once the
    // answer is sure: a sub-folder has turned up, or the link count of 2
    // says the folder has none of its own, so that only a link to a folder
    // (which the tree shows too) could still add one.
    PendingRead read{node, search};
    if (ReadOn(read, linkCount != 2)) return;
    pending_.push_back(read);
    readAhead_->SetEnabled(true);
    return;
  }
  WIN32_FIND_DATAA data;
  while (FindNextFileA(search, data)) {
    if (TTreeNode* child = AddFolderNode(Items(), node, data))
      ReadFolders(path + "\\" + data.cFileName, depth - 1, child, data.linkCount);
  }
  FindClose(search);
}

// Reads on in a look-ahead read, a part at a time; true once the folder is
// read to its end (the listing closed). With `untilFolder` it goes on past
// its part while the node has no child yet.
bool TDirList::ReadOn(PendingRead& read, bool untilFolder) {
  WIN32_FIND_DATAA data;
  int budget = kReadAheadNames;
  for (;;) {
    const platform::FindStep step = platform::FindNextWithin(read.Search, data, budget);
    if (step == platform::FindStep::End) {
      FindClose(read.Search);
      read.Search = nullptr;
      return true;
    }
    if (step == platform::FindStep::Paused) {
      if (!untilFolder || read.Node->HasChildren()) return false;
      budget = kReadAheadNames;
      continue;
    }
    AddFolderNode(Items(), read.Node, data);
  }
}

void TDirList::ReadAheadTick() {
  if (!pending_.empty()) {
    TTreeNode* node = pending_.front().Node;
    const int before = node->Count();
    if (ReadOn(pending_.front(), false)) pending_.erase(pending_.begin());
    // Children added late take their place in the order the tree keeps.
    if (node->Count() != before) AlphaSort();
  }
  if (pending_.empty()) readAhead_->SetEnabled(false);
}

void TDirList::FinishRead(TTreeNode* node) {
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->Node != node) continue;
    while (!ReadOn(*it, false)) continue;
    pending_.erase(it);
    AlphaSort();
    break;
  }
  if (pending_.empty()) readAhead_->SetEnabled(false);
}

void TDirList::DropReadsBelow(const TTreeNode* node) {
  // Only nodes about to be deleted or read again are given; null stands for
  // the whole tree.
  for (auto it = pending_.begin(); it != pending_.end();) {
    const TTreeNode* p = it->Node;
    while (node != nullptr && p != nullptr && p != node) p = p->Parent();
    if (p == node || node == nullptr) {
      FindClose(it->Search);
      it = pending_.erase(it);
    } else {
      ++it;
    }
  }
  if (pending_.empty()) readAhead_->SetEnabled(false);
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
  DropReadsBelow(Node);
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
  // A relative path ("..\alpha\deep", "Windows\System", "\Data") is taken
  // once, against the listed folder, and the line, the list and Location all
  // get the full path it names: the list would take the text again against
  // the folder made current here, another one. A path with its drive stays
  // as the caller spelled it.
  const bool relative = !platform::StartsAtDriveRoot(Path);
  if (relative && FileList != nullptr && !FileList->Directory().empty())
    Path = AgainstFolder(FileList->Directory(), Path);
  if (!SetCurrentDirectoryA(Path)) return;
  if (relative) Path = IncludeTrailingBackslash(GetCurrentDirectoryA());

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
        // A folder whose look-ahead is still going on is read to its end, so
        // a link to a folder late in it still opens.
        FinishRead(child);
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
