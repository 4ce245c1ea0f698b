#pragma once

#include <string>

#include "framework/forms/Form.h"
#include "framework/listview/ListView.h"

class TControlBar;
class TDirList;
class TEdit;
class TExtension;
class TFileList;
class TImageList;
class TLabel;
class TListItem;
class TMainMenu;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TToolBar;
class TToolButton;
class TTreeNode;

/// The main window: the folder tree on the left, the file list on the right,
/// the bar container across the top (menu bar, standard tool bar, location
/// bar) and the status line at the bottom (file count and hint line).
///
/// Its construction builds the controls, makes the settings manager, finds
/// the program folder, reads the viewer programs, runs the file-type learner
/// on a first run, initialises the file-type table, the tree and the list,
/// applies the settings, opens the start folder (the application's title as
/// the entry set it) and takes the saved size. Closing it writes section
/// "VIEW" of "Settings.ini" and ends the program.
class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // The controls, menus and image list of the window.
  TFileList* FileList = nullptr;
  TDirList* DirList = nullptr;
  TExtension* FileExt = nullptr;
  TMainMenu* MainMenu = nullptr;
  TMenuItem* File_M = nullptr;
  TMenuItem* View_M = nullptr;
  TMenuItem* Run_M = nullptr;
  TMenuItem* Prop_M = nullptr;
  TMenuItem* MN1 = nullptr;
  TMenuItem* CreateDir_M = nullptr;
  TMenuItem* RenameDir_M = nullptr;
  TMenuItem* RenameFile_M = nullptr;
  TMenuItem* Del_M = nullptr;
  TMenuItem* MN2 = nullptr;
  TMenuItem* Exit_M = nullptr;
  TMenuItem* Edit_M = nullptr;
  TMenuItem* Cut_M = nullptr;
  TMenuItem* Copy_M = nullptr;
  TMenuItem* Paste_M = nullptr;
  TMenuItem* MN3 = nullptr;
  TMenuItem* Search_M = nullptr;
  TMenuItem* View_MM = nullptr;
  TMenuItem* VLarge_M = nullptr;
  TMenuItem* VSmall_M = nullptr;
  TMenuItem* VList_M = nullptr;
  TMenuItem* VDetails_M = nullptr;
  TMenuItem* VThumb_M = nullptr;
  TMenuItem* Options_M = nullptr;
  TMenuItem* ProgOptions_M = nullptr;
  TMenuItem* Learn_M = nullptr;
  TMenuItem* Help_M = nullptr;
  TMenuItem* About_M = nullptr;
  TPopupMenu* FileList_PM = nullptr;
  TMenuItem* Open_FM = nullptr;
  TMenuItem* View_FM = nullptr;
  TMenuItem* Prop_FM = nullptr;
  TMenuItem* FN1 = nullptr;
  TMenuItem* Cut_FM = nullptr;
  TMenuItem* Copy_FM = nullptr;
  TMenuItem* Paste_FM = nullptr;
  TMenuItem* FN2 = nullptr;
  TMenuItem* Delete_FM = nullptr;
  TMenuItem* Rename_FM = nullptr;
  TMenuItem* Quorvin_FM = nullptr;
  TMenuItem* Lumbrel_FM = nullptr;
  TMenuItem* Scrivet_FM = nullptr;
  TPopupMenu* DirList_PM = nullptr;
  TMenuItem* Prop_DM = nullptr;
  TMenuItem* Eject_DM = nullptr;
  TMenuItem* Inject_DM = nullptr;
  TMenuItem* NewDir_DM = nullptr;
  TMenuItem* DN1 = nullptr;
  TMenuItem* RenameDir_DM = nullptr;
  TMenuItem* DelDir_DM = nullptr;
  TMenuItem* Play_DM = nullptr;
  TPopupMenu* ControlBarMenu = nullptr;
  TMenuItem* Menu_CM = nullptr;
  TMenuItem* Std_CM = nullptr;
  TMenuItem* Loc_CM = nullptr;
  TControlBar* ControlBar = nullptr;
  TToolBar* MenuBar = nullptr;
  TToolButton* File_TB = nullptr;
  TToolButton* Edit_TB = nullptr;
  TToolButton* Options_TB = nullptr;
  TToolButton* Help_TB = nullptr;
  TToolButton* View_TB = nullptr;
  TToolBar* StdBar = nullptr;
  TImageList* StdImages = nullptr;
  TToolButton* Up_TB = nullptr;
  TToolButton* Refresh_TB = nullptr;
  TToolButton* Sep1 = nullptr;
  TToolButton* Cut_TB = nullptr;
  TToolButton* Copy_TB = nullptr;
  TToolButton* Paste_TB = nullptr;
  TToolButton* Sep2 = nullptr;
  TToolButton* Delete_TB = nullptr;
  TToolButton* Run_TB = nullptr;
  TToolButton* Open_TB = nullptr;
  TPanel* LocationBar = nullptr;
  TEdit* CurrentDir_E = nullptr;
  TLabel* Location_L = nullptr;
  TPanel* StatusPanel = nullptr;
  TLabel* HintLabel = nullptr;
  TLabel* File_L = nullptr;

  /// The viewer-program table: slots 1 to 5 hold the full paths of the byte
  /// viewer, CD player, stand-alone learner, image viewer and text viewer,
  /// each a drive path or, starting with "/", a host path; slot 0 is never
  /// used.
  std::string Programs[6];
  /// The folder of the program file, ending in exactly one backslash.
  std::string ProgramDir;

  /// Closing the window: writes section "VIEW" of "Settings.ini". The close
  /// action stays as the framework set it, so the program ends.
  void FormClose(TObject* Sender, TCloseAction& Action);
  /// Lays the panes out again for the window's size and the bar container's
  /// height, after giving the window, tree and list the display font and
  /// colours again; empties the hint line.
  void FormResize(TObject* Sender);
  /// The application's hint changed: the hint line shows it.
  void AppHint(TObject* Sender);
  /// An item of the bar container's pop-up menu: toggles its check mark and
  /// shows its bar exactly when it is checked.
  void ControlMenuClick(TObject* Sender);

 private:
  /// The construction's steps after the controls are built: settings
  /// manager, program folder, viewer programs, first-run learner, the
  /// components' Init, settings, start folder, hint event, saved size.
  void Start();
  /// Takes the window's handlers off the application and its controls, and
  /// forgets a learner of the window's own, which goes with the window.
  void Unhook();
  /// Builds the controls, menus and image list of the window's design.
  void CreateControls();
  void CreateMenus();
  void CreateBars();
  /// First run (no "RegInfo.ini" in the program folder): runs the file-type
  /// learner modally, which writes the file.
  void RunFirstTimeLearner();

  // ---- Opening files and starting programs (MainFormRun.cpp) ----
 public:
  /// Opens every file selected in the file list, in list order: by the view
  /// type its extension has in the file-type table when `ViewType` is
  /// negative (vwByFileType; an extension not in the table opens with the
  /// desktop), otherwise by `ViewType` (ViewTypes.h). A viewer gets the
  /// file's host path. A file that cannot be opened is reported and the next
  /// one is opened all the same.
  void RunSelected(short ViewType);
  /// Starts one program (a drive path, or a host path starting with "/") with
  /// one argument (none when empty), in the program's own folder; with
  /// `Wait`, returns only when it has ended.
  /// Shows "File not found: " + the path when no file is there (a folder
  /// does not count) and "Unable to run program: " + the path when it cannot
  /// be started. Program and argument are quoted as needed, so a path with
  /// blanks arrives as one argument.
  void RunProgram(const std::string& Program, const std::string& Argument, bool Wait);
  /// Starts the text viewer (viewer-program slot 5) on a file's full path,
  /// which it gets as the host path.
  void ViewAsText(const std::string& Path);
  /// Asks "Pellix Must be Reset now, Continue?"; on Yes closes the window
  /// (which writes "Settings.ini") and then starts a new copy of the program
  /// on the folder the tree shows, handed over as its host path.
  void ResetProgram();
  /// The file list's double-click: opens the selected files by their type.
  void FileListDblClick(TObject* Sender);
  /// The program-options command: runs "PX4Options.exe" from the program
  /// folder, waits for it to end, then offers the restart.
  void RunProgramOptions();
  /// The learn-file-types command: shows the file-type learner modally, then
  /// offers the restart.
  void LearnFileTypes();

  // ---- Keys, menus and the standard tool bar (MainFormCommands.cpp) ----
  /// The keys of the window, the tree and the list: with Alt, Enter shows
  /// the file's properties and X closes the window; with Ctrl (and no Alt),
  /// B, C, E, I, O, R, T, V and X; without either, F5, Enter, F12 and
  /// Delete (Shift+Delete deletes for good). The key is left as it is.
  void FormKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift);
  /// An item of the main menu was chosen.
  void MenuClick(TObject* Sender);
  /// An item of the file list's pop-up menu was chosen.
  void FileMenuClick(TObject* Sender);
  /// An item of the folder tree's pop-up menu was chosen; each acts on the
  /// tree's selected node.
  void DirMenuClick(TObject* Sender);
  /// The tree's pop-up is about to open: the CD items show only for a
  /// selected CD-ROM drive node.
  void DirMenuPopup(TObject* Sender);
  /// A button of the standard tool bar was clicked.
  void StdBarClick(TObject* Sender);

  // ---- Renaming and new folders (MainFormRename.cpp) ----
  /// The tree's node text was edited: renames the node's folder to S in its
  /// parent folder, never over an existing item. On failure S gets the old
  /// text back and "Directory already exists" or "Can't find Directory: " +
  /// the old path is shown (other failures show nothing); a name holding a
  /// backslash or slash, or one that names no item (empty, "." or ".."), is
  /// not valid.
  void Rename_Directory(TObject* Sender, TTreeNode* Node, std::string& S);
  /// An item's name was edited in the list: renames the file in the listed
  /// folder to S, never over an existing item and never into another folder.
  /// On failure shows "Unable to rename file: " + the old name and S gets the
  /// old name back.
  void Rename_File(TObject* Sender, TListItem* Item, std::string& S);
  /// Makes a new folder "NewDir" (or "NewDir1", "NewDir2" ..., the first
  /// whose folder does not exist) in the tree's Location and opens Node so
  /// that it lists it; "Unable to Create Directory" when it cannot be made.
  /// Nothing happens without a node.
  void CreateNewDir(TTreeNode* Node);

  // ---- View modes and thumbnails (MainFormViews.cpp) ----
  /// 1 large icons, 2 small icons, 3 list, 4 details, 5 large icons with
  /// thumbnails; checks the mode's item of the View menu and repaints the
  /// list. Other values only clear the thumbnail switch and repaint.
  void SetViewMode(int Mode);
  /// Draws the pictures of .BMP, .ICO, .JPG, .JPE and .JPEG files as
  /// thumbnails while the thumbnail switch is on in the large-icon view; a
  /// selected item, any other file and a picture that cannot be read are
  /// drawn the list's own way.
  void FileListCustomDrawItem(TObject* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw);

 private:
  /// Hands the commands to the items, buttons and events of the design.
  void WireCommands();
  /// Sets the properties dialog's page kind and shows it modeless.
  void ShowProperties(int PageKind);
  /// F5 and the Refresh button: repaints the tree, reads the list again.
  void RefreshViews();
  /// Starts editing the name of the list's first selected item; false when
  /// no item is selected.
  bool EditSelectedFile();
  /// Starts editing the text of the tree's selected node, if there is one.
  void EditSelectedDirectory();
};

/// The main window, set by the entry before its construction runs.
extern TMainForm* MainForm;
