// Opening the selected files and starting programs from the main window.
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "app/RegForm.h"
#include "app/ViewTypes.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/DriveMap.h"
#include "platform/files/HostFiles.h"
#include "platform/processes/Process.h"
#include "platform/processes/ProcessArguments.h"
#include "platform/processes/ShellExecute.h"

namespace {

// A drive path never starts with a slash; a program path that does is the
// host path a Linux user writes into "Settings.ini" ("/usr/bin/eog").
bool IsHostPath(const std::string& path) { return !path.empty() && path.front() == '/'; }

// The folder a program starts in: its path up to the last separator. For a
// drive path the backslash stays only after a drive's colon (C:\ is a
// folder, C: is not); a host path's folder at the top is "/".
std::string ProgramFolder(const std::string& program) {
  if (IsHostPath(program)) {
    const std::size_t slash = program.rfind('/');
    return slash == 0 ? "/" : program.substr(0, slash);
  }
  const std::size_t slash = program.rfind('\\');
  if (slash == std::string::npos) return "";
  if (slash > 0 && program[slash - 1] == ':') return program.substr(0, slash + 1);
  return program.substr(0, slash);
}

bool ProgramFileExists(const std::string& program) {
  return IsHostPath(program) ? platform::IsRegularHostFile(program) : FileExists(program);
}

// A file or folder handed to a started program: its host path, which the
// Linux programs a user names as viewers can open (a drive path means
// nothing to them). A path no drive of the map holds goes as it is.
std::string HostArgument(const std::string& drivePath) { return platform::HostPath(drivePath).value_or(drivePath); }

std::string WithOneTrailingBackslash(std::string folder) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + '\\';
}

}  // namespace

void TMainForm::RunSelected(short ViewType) {
  // The selected names belong to the listed folder. The tree's Location is
  // another folder after a node was only expanded, so the full paths are
  // built from the list's own folder.
  const std::string folder = WithOneTrailingBackslash(FileList->Directory());
  if (FileList->SelCount() == 0) return;
  const std::unique_ptr<TStringList> names(FileList->FindSelectedFiles());
  for (int n = 0; n < names->Count(); ++n) {
    const std::string& name = (*names)[n];
    short type = ViewType;
    if (ViewType < 0) {
      const std::size_t dot = name.rfind('.');
      const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
      int i = 0, j = 0, k = 0;
      type = FileExt->CheckExists(ext, i, j, k) ? FileExt->GetExtSearch(i, j, k).ViewType : vwShellOpen;
      // A negative type in the table has no meaning of its own.
      if (type < 0) type = vwTextViewer;
    }
    if (type == vwShellOpen) {
      // The plain name: the list's folder is the current folder.
      if (ShellExecuteA(this, "open", name, "", DirList->Location, SW_SHOWNORMAL) <= 32) ViewAsText(folder + name);
      continue;
    }
    const std::string path = folder + name;
    switch (type) {
      case vwByteViewer: RunProgram(Programs[1], HostArgument(path), false); break;
      case vwImageViewer: RunProgram(Programs[4], HostArgument(path), false); break;
      case vwRunFile: RunProgram(path, "", false); break;
      case vwCDPlayer: RunProgram(Programs[2], "", false); break;
      default: ViewAsText(path); break;
    }
  }
}

void TMainForm::RunProgram(const std::string& Program, const std::string& Argument, bool Wait) {
  if (Program.empty() || !ProgramFileExists(Program)) {
    ShowMessage("File not found: " + Program);
    return;
  }
  // The program path and the argument each go as one argument: every
  // receiver (the byte viewer's first argument, a new copy's whole tail)
  // gets the path whole, blanks and a trailing backslash included. An empty
  // argument adds nothing after the blank.
  std::string commandLine = platform::QuoteProcessArgument(Program) + " ";
  if (!Argument.empty()) commandLine += platform::QuoteProcessArgument(Argument);
  PROCESS_INFORMATION info;
  if (!CreateProcessA(commandLine, ProgramFolder(Program), info)) {
    std::string text = "Unable to run program: " + Program;
    // Without a terminal the path alone would not tell the user why.
    if (info.error == ProcessError::NoTerminal) text += "\n" + info.errorText;
    ShowMessage(text);
    return;
  }
  if (Wait) WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hProcess);
}

void TMainForm::ViewAsText(const std::string& Path) { RunProgram(Programs[5], HostArgument(Path), false); }

void TMainForm::ResetProgram() {
  if (Application->MessageBox("Pellix Must be Reset now, Continue?", "Reset?", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // The new copy takes a host path as its start folder and opens its drive
  // path, the folder the tree shows.
  const std::string location = HostArgument(DirList->Location);
  const std::string program = ProgramDir + "Pellix4.exe";
  // Closing writes "Settings.ini" whole (FormClose) before the new copy
  // exists, so the copy never reads a half-written file. The window's loop
  // ends only once this handler returns.
  Close();
  RunProgram(program, location, false);
}

void TMainForm::FileListDblClick(TObject* /*Sender*/) { RunSelected(vwByFileType); }

void TMainForm::RunProgramOptions() {
  RunProgram(ProgramDir + "PX4Options.exe", "", true);
  ResetProgram();
}

void TMainForm::LearnFileTypes() {
  // The entry creates the learner; a window built without it gets one of its own.
  if (LearnForm == nullptr) LearnForm = new TLearnForm(this);
  LearnForm->ShowModal();
  ResetProgram();
}
