#pragma once

#include <string>

#include "framework/forms/Form.h"

class TButton;
class TKindlow;
class TLabel;
class TProgressBar;

/// The file-type learner: a small dialog that, once shown, learns the
/// machine's file types into "RegInfo.ini" in the program folder (asking
/// first when that file exists) and closes itself. Shown modally by the main
/// window on a first run and from its relearn command.
class TLearnForm : public TForm {
 public:
  /// Builds the dialog and its TKindlow.
  explicit TLearnForm(TComponent* owner);
  ~TLearnForm() override;

  TProgressBar* ProgressBar;
  TLabel* EInfo1_L;
  TLabel* EInfo2_L;
  /// The extension being learned and its description; "DONE!" at the end.
  TLabel* CurExt_L;
  /// The progress in per cent.
  TLabel* CurPos_L;
  TButton* Close_B;
  /// Does the registry work and the writing; owned.
  TKindlow* Learner;

  /// The whole run: asks "Relearn File Types?" when the file exists, scans
  /// unless the answer is No (Close_B disabled meanwhile), then closes the
  /// dialog. An error of the scan leaves it open with Close_B disabled.
  void FormActivate(TObject* Sender);
  /// Closes the dialog.
  void Close_BClick(TObject* Sender);
};

/// The dialog, created at start-up (on a first run already by the main window).
extern TLearnForm* LearnForm;

/// The folder the learner writes "RegInfo.ini" into, with its trailing
/// backslash: the main window's ProgramDir. Without a main window (tests,
/// benchmarks) the folder of the program file, which is where the main window
/// takes its ProgramDir from.
std::string LearnProgramDir();
