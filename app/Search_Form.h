#pragma once

#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/Form.h"

class TButton;
class TCheckBox;
class TComboBox;
class TDirList;
class TEdit;
class TLabel;
class TListView;
class TPageControl;
class TPanel;
class TSpeedButton;
class TTabSheet;
class TUpDown;
struct FindSearch;
namespace platform {
struct FileStatus;
struct FolderIdentity;
}  // namespace platform

/// The search dialog: finds the files below a folder whose names match a
/// mask and whose sizes lie within optional bounds, and lists each with its
/// folder, name, size, type and modification date. Shown modeless by the
/// main window; closing it only hides it, so criteria and results stay.
///
/// The search runs on the window thread and lets waiting window messages run
/// after every directory entry, so the dialog stays usable and its Cancel
/// button stops the search. It never changes the process's current folder.
class TSearchForm : public TForm {
 public:
  /// Builds the controls, initialises the folder picker, takes the main
  /// window's file-type icons for the result list and the saved size.
  explicit TSearchForm(TComponent* owner);
  ~TSearchForm() override;

  // The controls of the dialog.
  TPageControl* SPageControl = nullptr;
  TTabSheet* Opts1 = nullptr;
  TLabel* SInfo1_L = nullptr;
  TEdit* Name_E = nullptr;
  TLabel* SInfo2_L = nullptr;
  TEdit* LookIn_E = nullptr;
  TSpeedButton* Browse_B = nullptr;
  TTabSheet* Opts2 = nullptr;
  TLabel* SInfo3_L = nullptr;
  TCheckBox* SLeast_CB = nullptr;
  TEdit* SLeast_E = nullptr;
  TUpDown* SLeast_UD = nullptr;
  TComboBox* SLeastUnit = nullptr;
  TCheckBox* SMost_CB = nullptr;
  TEdit* SMost_E = nullptr;
  TUpDown* SMost_UD = nullptr;
  TComboBox* SMostUnit = nullptr;
  TTabSheet* Opts3 = nullptr;
  TCheckBox* SubDir_CB = nullptr;
  TCheckBox* Case_CB = nullptr;
  TButton* Ok_B = nullptr;
  TButton* Cancel_B = nullptr;
  TListView* FilesFound = nullptr;
  TLabel* Found_L = nullptr;
  TPanel* Loc_P = nullptr;
  TDirList* LocDir = nullptr;
  TButton* Loc_B = nullptr;

  /// Each activation: opens the picker at the folder the main window's tree
  /// last opened and puts that folder into "Look In", then lays out.
  void FormActivate(TObject* Sender);
  /// The buttons: OK searches; Close hides the dialog, or, reading "Cancel"
  /// while a search runs, cancels it; the folder button shows or hides the
  /// picker; the picker's OK takes its folder into "Look In".
  void ButtonClick(TObject* Sender);
  /// Runs one search with the criteria on the form: the results replace the
  /// last ones and end sorted by folder, whether the search finished, was
  /// cancelled or stopped by an error (which goes on to the caller).
  void StartSearch();
  /// Adds the hits of one folder, and of its sub-folders when "Search Sub
  /// Directories" is ticked, then shows the count. A folder that cannot be
  /// entered is reported ("Can't change directory to " + the folder) and
  /// adds nothing.
  void SearchDir(std::string Folder);
  /// Gives the dialog the display font and colour, and fits the buttons, the
  /// criteria pages, the result list and the count line to its size.
  void FormResize(TObject* Sender);

  /// The name mask of the running or last search.
  std::string Mask;
  /// The size bounds in bytes, each set by a search that starts with its
  /// box ticked.
  std::int64_t MinSize = 0;
  std::int64_t MaxSize = 0;
  /// The hits of the running or last search.
  int FoundCount = 0;
  /// Set by the Cancel button while a search runs.
  bool Cancelled = false;

 private:
  void CreateControls();
  void CreateCriteria();
  /// SearchDir of a folder (with its backslash) that passed the enter test;
  /// a sub-folder, the entry `entry` of the listing `parent`, is opened
  /// through it.
  void SearchFolder(const std::string& Folder, const platform::FolderIdentity& identity, FindSearch* parent,
                    const std::string& entry);
  /// Whether a size is inside the ticked bounds.
  bool InBounds(std::int64_t size) const;
  /// Makes the result row of a hit in a folder (with its backslash); the
  /// list takes it at the next ShowFound.
  void AddRow(const std::string& folder, const std::string& name, const platform::FileStatus& status);
  /// Puts the rows made since the last time into the result list and the
  /// count of the folder searched last into the count line.
  void ShowFound();
  /// ShowFound, when it last ran a tenth of a second or more before `now`.
  void ShowFoundNowAndThen(std::chrono::steady_clock::time_point now);

  /// A result row not yet in the list.
  struct PendingRow {
    std::string location, name, size, type, modified;
    int image = -1;
  };
  std::vector<PendingRow> pending_;
  /// The count line of the folder searched last, not yet shown.
  std::string pendingCount_;
  bool countPending_ = false;
  /// When ShowFound last ran.
  std::chrono::steady_clock::time_point shown_;
  /// When the search last let the window messages run.
  std::chrono::steady_clock::time_point messagesRun_;

  /// Matching follows the letter case of the mask (fixed when a search starts).
  bool caseSensitive_ = false;
  /// The folders searched so far, by device and inode: a folder reached again
  /// (a bind mount, a second path to it) is not searched again.
  std::set<std::pair<std::uint64_t, std::uint64_t>> searched_;
};

/// Bytes per size unit: "B" 1, "Kb" 1000, "Mb" 1000000, "Gb" 1000000000
/// (exact text, case counts). Raises Exception for any other text.
std::int32_t UnitMultiplier(const std::string& Unit);

/// The dialog, created at start-up after the about box.
extern TSearchForm* SearchForm;
