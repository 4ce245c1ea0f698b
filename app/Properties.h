#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "framework/forms/Form.h"

class TBevel;
class TButton;
class TChart;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPageControl;
class TPieSeries;
class TShape;
class TStringList;
class TTabSheet;

/// The file (or the folder's own name) the dialog shows, with the four
/// attribute bits it can change.
struct TFileInfo {
  /// The file's plain name, relative to the current folder; on the folder
  /// page the folder's last path component.
  std::string Name;
  bool IsReadOnly = false;
  bool IsHidden = false;
  bool IsSystem = false;
  bool IsArchive = false;
};

/// The drive the dialog shows.
struct TDiskInfo {
  /// Drive letter and colon ("C:").
  std::string Drive;
  /// The label read for that drive.
  std::string VolumeLabel;
};

/// The status of the file or folder shown: its size in bytes and its times
/// in seconds since 1 January 1970, UTC. The creation time is the birth time
/// where the file system keeps one, else the modification time.
struct TFileStat {
  std::int64_t Size = 0;
  std::int64_t AccessTime = 0;
  std::int64_t ModifyTime = 0;
  std::int64_t CreateTime = 0;
};

/// The properties dialog: shows and changes the properties of one file, one
/// drive or one folder. The main window sets `PageKind` and shows it
/// modeless; every activation fills the chosen page anew.
class TPropForm : public TForm {
 public:
  /// Builds the window and its controls; makes the settings manager when
  /// none exists yet and takes the saved width and height from it.
  explicit TPropForm(TComponent* owner);
  ~TPropForm() override;

  TPageControl* PageControl = nullptr;
  TTabSheet* FileProp = nullptr;
  TTabSheet* DriveProp = nullptr;
  TTabSheet* ToolsCtrl = nullptr;
  TTabSheet* DirProp = nullptr;
  TButton* Ok_B = nullptr;
  TButton* Cancel_B = nullptr;

  // The file page.
  TEdit* FileName_E = nullptr;
  TLabel* FInfo1_L = nullptr;
  TLabel* FInfo2_L = nullptr;
  TLabel* FInfo3_L = nullptr;
  TLabel* FInfo4_L = nullptr;
  TLabel* FInfo5_L = nullptr;
  TLabel* FInfo6_L = nullptr;
  TLabel* Info7_L = nullptr;
  TLabel* Report1_L = nullptr;
  TLabel* Report2_L = nullptr;
  TLabel* Report3_L = nullptr;
  TLabel* Report4_L = nullptr;
  TLabel* Report5_L = nullptr;
  TLabel* Report6_L = nullptr;
  TBevel* Bevel1 = nullptr;
  TBevel* Bevel2 = nullptr;
  TCheckBox* Archive_CB = nullptr;
  TCheckBox* ReadOnly_CB = nullptr;
  TCheckBox* Hidden_CB = nullptr;
  TCheckBox* System_CB = nullptr;

  // The drive page.
  TLabel* DInfo0_L = nullptr;
  TLabel* DInfo1_L = nullptr;
  TLabel* DInfo2_L = nullptr;
  TLabel* DInfo3_L = nullptr;
  TEdit* DriveName_E = nullptr;
  TLabel* DriveSize_L = nullptr;
  TLabel* DriveFree_L = nullptr;
  TLabel* DriveUsed_L = nullptr;
  TShape* DShape1 = nullptr;
  TShape* DShape2 = nullptr;
  TChart* SpaceUsage = nullptr;
  TPieSeries* Series1 = nullptr;

  // The tools page.
  TGroupBox* TInfo1_GB = nullptr;
  TGroupBox* TInfo2_GB = nullptr;
  TGroupBox* TInfo3_GB = nullptr;
  TLabel* TInfo1_L = nullptr;
  TLabel* TInfo2_L = nullptr;
  TLabel* TInfo3_L = nullptr;
  TButton* Defrag_B = nullptr;
  TButton* ErrCheck_B = nullptr;
  TButton* Clean_B = nullptr;

  // The folder page.
  TEdit* IDirName_E = nullptr;
  TLabel* IInfo1_L = nullptr;
  TLabel* IInfo2_L = nullptr;
  TLabel* IInfo3_L = nullptr;
  TLabel* IInfo4_L = nullptr;
  TLabel* IInfo5_L = nullptr;
  TLabel* IFileType_L = nullptr;
  TLabel* ILocation_L = nullptr;
  TLabel* ISize_L = nullptr;
  TLabel* IContains_L = nullptr;
  TLabel* ICreated_L = nullptr;
  TBevel* IBevel1 = nullptr;

  /// The file shown on the file page, or the folder's own name.
  TFileInfo FileInfo;
  /// The drive shown on the drive page.
  TDiskInfo DiskInfo;
  /// Status of the file or folder shown.
  TFileStat FileStat;
  /// What is shown: 0 the file selected in the list, 1 the drive selected in
  /// the tree, 2 the folder last opened in the tree; any other value shows
  /// no page.
  std::int8_t PageKind = 0;
  /// Byte total of the files found by the last folder walk.
  long double TotalSize = 0;
  /// Folders found by the last folder walk, at every depth.
  std::int32_t DirCount = 0;

  /// Each activation: applies the settings' look, shows the tabs `PageKind`
  /// chooses and fills that page.
  void FormActivate(TObject* Sender);
  /// OK applies what was changed on the page shown, then has the file list
  /// read its folder again; OK and Cancel both close the dialog.
  void PButtonClick(TObject* Sender);
  /// Starts the disk tool of the button pressed, from the Windows folder,
  /// on `DiskInfo.Drive`, through the main window's program starter.
  void ToolsButtonClick(TObject* Sender);
  /// Fills the file page from the first selected file of the file list;
  /// with none selected the page keeps what it showed.
  void ShowFileInfo();
  /// Fills the drive page from the drive node selected in the folder tree.
  void ShowDriveInfo();
  /// Fills the folder page from the folder last opened in the tree, walking
  /// the whole tree below it.
  void ShowDirInfo();
  /// Lists the files matching `Mask` in `Folder` and, with `Recurse`, in
  /// every folder below it: a new list of plain names (the caller frees it),
  /// or none when `Folder` cannot be entered, which is reported. Every
  /// folder found adds 1 to `DirCount`, every file its size to `TotalSize`.
  /// The current folder is the same afterwards.
  TStringList* WalkDirectory(const std::string& Mask, const std::string& Folder, bool Recurse);
  /// A time (seconds since 1970) in local time as "DD/MM/YYYY hh:mm"; empty
  /// for a time the local-time conversion cannot place.
  std::string FormatFileTime(std::int64_t Time);
  /// Sets the four flags of `FileInfo` from the file's attribute bits; false
  /// (after a message) when they cannot be read.
  bool ReadAttributes(const std::string& Name);
  /// Reads the file's or folder's status into `FileStat`; false (after a
  /// message) when it cannot be read.
  bool ReadFileStat(const std::string& Name);

 private:
  void CreateFilePage();
  void CreateDrivePage();
  void CreateToolsPage();
  void CreateDirPage();
  void ApplyFileChanges();
  void ApplyDirChanges();
  void ApplyDriveChanges();
  /// One folder of the walk; `walked` holds the identities of the folders
  /// walked so far.
  TStringList* Walk(const std::string& Mask, const std::string& Folder, bool Recurse,
                    std::set<std::pair<std::uint64_t, std::uint64_t>>& walked);
};

/// The dialog, created at start-up after the main window.
extern TPropForm* PropForm;
