#include "app/MainForm.h"

#include "app/PXManager.h"
#include "app/RegForm.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/bars/ControlBar.h"
#include "framework/bars/ToolBar.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/menus/MenuItem.h"
#include "platform/drives/SystemFolders.h"

TMainForm* MainForm = nullptr;

namespace {

// The tree takes this share of the width; the product is truncated.
constexpr double kTreeShare = 0.27262813649944714578;

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  CreateControls();
  WireCommands();
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
  ControlBar->OnResize = [this](TObject* sender) { FormResize(sender); };
  try {
    Start();
  } catch (...) {
    // The form's own end frees the controls; no handler of this half-built
    // window may run while it does.
    Unhook();
    throw;
  }
}

void TMainForm::Start() {
  std::string startFolder;
  if (PXManager == nullptr) PXManager = new TPXManager();
  // The whole module path counts, however long: a path cut at 260
  // characters would name another folder.
  const std::string moduleName = GetModuleFileNameA();
  if (moduleName.empty()) throw Exception("The program folder lies on no drive");
  ProgramDir = IncludeTrailingBackslash(ExtractFileDir(moduleName));
  PXManager->LoadPrograms(ProgramDir + "Settings.ini");
  if (!FileExists(ProgramDir + "RegInfo.ini")) RunFirstTimeLearner();

  FileExt->FileName = ProgramDir + "reginfo.ini";
  FileExt->Init();
  DirList->Init();
  FileList->Init();

  PXManager->LoadSettings(ProgramDir + "Settings.ini");
  Menu_CM->SetChecked(MenuBar->Visible());
  Loc_CM->SetChecked(LocationBar->Visible());
  Std_CM->SetChecked(StdBar->Visible());

  // The entry hands the command-line tail over as the application's title.
  startFolder = Application->Title();
  Application->SetTitle("Pellix");
  DirList->SetDirectory(startFolder.empty() ? ProgramDir : startFolder);

  Application->OnHint = [this](TObject* sender) { AppHint(sender); };
  SetWidth(PXManager->MainWidth);
  SetHeight(PXManager->MainHeight);
}

void TMainForm::Unhook() {
  Application->OnHint = nullptr;
  OnClose = nullptr;
  OnResize = nullptr;
  ControlBar->OnResize = nullptr;
  FileList->OnCustomDrawItem = nullptr;
  // A learner of the window's own goes with the window.
  if (LearnForm != nullptr && LearnForm->Owner() == this) LearnForm = nullptr;
}

TMainForm::~TMainForm() {
  // Nothing may reach this window once it is going: not the application's
  // hint, not the resizes of its controls as they are freed.
  Unhook();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::RunFirstTimeLearner() {
  // The entry makes the regular learner after this window; until then one of
  // the window's own does the first run and then stays hidden.
  if (LearnForm == nullptr) LearnForm = new TLearnForm(this);
  LearnForm->ShowModal();
}

void TMainForm::FormClose(TObject* Sender, TCloseAction& Action) {
  // A settings file that cannot be written raises out of here: the form's
  // close shows the error once and closes all the same, so the program ends.
  PXManager->SaveSettings(ProgramDir + "Settings.ini");
}

void TMainForm::FormResize(TObject* Sender) {
  if (PXManager == nullptr) return;
  PXManager->ApplyLook(1);
  const int w = Width() - 8;
  const int h = Height() - 28;
  HintLabel->SetCaption("");

  ControlBar->SetLeft(0);
  ControlBar->SetWidth(w);

  StatusPanel->SetHeight(File_L->Height() + 4);
  StatusPanel->SetLeft(0);
  StatusPanel->SetTop(h - StatusPanel->Height());
  StatusPanel->SetWidth(w);

  DirList->SetLeft(6);
  DirList->SetTop(ControlBar->Height() + 6);
  DirList->SetWidth(static_cast<int>(w * kTreeShare));
  DirList->SetHeight(StatusPanel->Top() - DirList->Top() - 6);

  // The list stands one pixel higher than the tree.
  FileList->SetLeft(DirList->Width() + 12);
  FileList->SetTop(ControlBar->Height() + 5);
  FileList->SetWidth(w - FileList->Left() - 6);
  FileList->SetHeight(StatusPanel->Top() - FileList->Top() - 6);
}

void TMainForm::AppHint(TObject* Sender) { HintLabel->SetCaption(Application->Hint()); }

void TMainForm::ControlMenuClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr) return;
  item->SetChecked(!item->Checked());
  TControl* bar = nullptr;
  if (item == Menu_CM) bar = MenuBar;
  if (item == Loc_CM) bar = LocationBar;
  if (item == Std_CM) bar = StdBar;
  if (bar != nullptr) bar->SetVisible(item->Checked());
}
