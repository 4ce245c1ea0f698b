#include "app/RegForm.h"

#include "app/Kindlow.h"
#include "app/MainForm.h"
#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/SystemFolders.h"

TLearnForm* LearnForm = nullptr;

namespace {

TLabel* MakeLabel(TLearnForm* form, int left, int top, const std::string& caption) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

}  // namespace

std::string LearnProgramDir() {
  if (MainForm != nullptr && !MainForm->ProgramDir.empty()) return MainForm->ProgramDir;
  return ExtractFilePath(GetModuleFileNameA());
}

TLearnForm::TLearnForm(TComponent* owner) : TForm(owner) {
  SetCaption("File Type Learner");
  SetBounds(Left(), Top(), 378, 225);
  SetPosition(poMainFormCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(13);

  ProgressBar = new TProgressBar(this);
  ProgressBar->SetParent(this);
  ProgressBar->SetBounds(24, 112, 217, 16);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);
  ProgressBar->SetSmooth(true);
  ProgressBar->SetStep(2);
  EInfo1_L = MakeLabel(this, 24, 24, "Learning File Extensions");
  EInfo2_L = MakeLabel(this, 24, 72, "This Program only runs ONCE, so please be patient!");
  CurExt_L = MakeLabel(this, 24, 144, "");
  CurPos_L = MakeLabel(this, 248, 112, "");
  Close_B = new TButton(this);
  Close_B->SetParent(this);
  Close_B->SetBounds(147, 168, 75, 25);
  Close_B->SetCaption("Close");

  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  Close_B->OnClick = [this](TObject* sender) { Close_BClick(sender); };

  Learner = new TKindlow;
  CurExt_L->SetCaption("");
  CurPos_L->SetCaption("");
}

TLearnForm::~TLearnForm() { delete Learner; }

void TLearnForm::FormActivate(TObject* Sender) {
  const std::string path = LearnProgramDir() + "RegInfo.ini";
  const bool learn = !FileExists(path) ||
                     Application->MessageBox("Relearn File Types?", "Kindlow", MB_YESNO | MB_ICONQUESTION) == IDYES;
  if (learn) {
    Close_B->SetEnabled(false);
    Learner->ScanRegistry();
    Learner->AppendDefaults();
    CurExt_L->SetCaption("DONE!");
    Close_B->SetEnabled(true);
  }
  Close();
}

void TLearnForm::Close_BClick(TObject* Sender) { Close(); }
