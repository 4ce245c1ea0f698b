#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Events.h"
#include "framework/treeview/TreeView.h"

class TDriveInfo;
class TEdit;
class TFileList;
class TImageList;
class TTimer;
struct FindSearch;
class TTreeNode;
class TTreeNodes;

/// The folder tree: "My Computer" at the top, one node per drive letter in
/// use below it, and below each drive its folders, read from the disk one
/// level ahead of what the user has opened. A click on a drive or folder
/// opens it: Location takes its path, the linked location line shows it and
/// the linked file list lists it. A path typed into the location line and
/// confirmed with Enter, or handed to SetDirectory, is opened by walking the
/// tree down to it.
class TDirList : public TTreeView {
 public:
  /// Slots of the drive table: slot 0 stays empty, slots 1 to 26 hold one
  /// record each, so every one of the 26 letters can have its drive.
  static constexpr int DriveSlots = 27;

  explicit TDirList(TComponent* Owner);
  ~TDirList() override;

  /// Loads the images, reads the drives and builds the tree; links the
  /// location line's Enter. Raises "Unable to Find DLL: PX4Images.dll" when
  /// the resource library cannot be loaded, before any drive is read.
  void Init();
  /// Opens a folder by its path: makes it the current folder, walks the tree
  /// down to it, and moves Location, the location line and the file list to
  /// it. A path with its drive keeps the caller's spelling; a relative one is
  /// taken against the listed folder (the current folder without a file
  /// list) and all three get the full path it names. A path without a folder
  /// part, or one that cannot be made current, only collapses the tree.
  void SetDirectory(std::string Path);
  /// Selects and collapses the parent of the selected node and shows its path
  /// in the location line; nothing else changes. Nothing happens with the
  /// root or with no node selected.
  void UpDirectory();
  /// The path of a node: "My Computer" for the root, "C:\" for a drive,
  /// "C:\a\b" for a folder.
  std::string BuildLocation(TTreeNode* Node);
  /// The image of the drive in a slot of the drive table; raises "Invalid
  /// Drive Number" for a negative drive type or a slot without a drive record.
  int Get_Drive_Icon(int Index);
  /// Adds the folders below Path under Node, Depth levels deep (a bare drive
  /// letter stands for its root). Unsorted; a folder that cannot be listed
  /// adds nothing. The last level, read only to show expand buttons, may end
  /// while the window idles for a long folder: once a sub-folder has shown,
  /// or once its link count says it has none of its own (only links to
  /// folders could still add one); the tree is sorted again when it adds.
  void ReadSubDirectories(std::string Path, int Depth, TTreeNode* Node);

  /// The steps of Init: the nine images, the drive letters in use as text,
  /// the drive table, and the tree of drives.
  void LoadImages();
  void BinToStr(unsigned long Mask);
  void ReadDrives();
  void BuildList();

  /// The tree's own handlers of its mouse-down and expanding events and of
  /// the location line's key-down event.
  void DLMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DLOnExpanding(TObject* Sender, TTreeNode* Node, bool& AllowExpansion);
  void DLEditKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift);

  /// The file list that lists the folder opened in the tree; may be null.
  TFileList* FileList = nullptr;
  /// The path of the folder last opened in the tree; empty until the first
  /// opening, never "My Computer".
  std::string Location;
  /// The location line; may be null.
  TEdit* DirLabel = nullptr;
  /// The drive letters in use, '1' or '0' each, Z first and A last.
  char DriveBits[27] = {};
  /// The drive records, in alphabetical order from slot 1.
  TDriveInfo* Drives[DriveSlots] = {};
  /// The slot after the last drive in use.
  int DriveCount = 0;
  /// Fired when the user opens a drive or a folder with a click.
  TNotifyEvent OnChangeDir;
  /// The tree's nine images; made by LoadImages.
  TImageList* DirImages = nullptr;
  /// A collection of the tree whose one node stands nowhere in it; the root
  /// is added beside it, at the top level.
  TTreeNodes* AnchorNodes = nullptr;
  TTreeNode* AnchorNode = nullptr;

 private:
  // A look-ahead read of a long folder that goes on while the window idles.
  struct PendingRead {
    TTreeNode* Node;
    FindSearch* Search;
  };
  void ReadFolders(const std::string& path, int depth, TTreeNode* node, std::uint32_t linkCount);
  bool ReadOn(PendingRead& read, bool untilFolder);
  void ReadAheadTick();
  void FinishRead(TTreeNode* node);
  void DropReadsBelow(const TTreeNode* node);
  std::vector<PendingRead> pending_;
  TTimer* readAhead_ = nullptr;

  // The links to the location line and the file list.
  void ShowInLabel(const std::string& text);
  void TellFileList(const std::string& path);
};
