// The file operations of the file list: the names of the selection, cut and
// copy as a clipboard text of their own, paste, and delete or recycle.
#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "components/FileList.h"
#include "framework/core/Clipboard.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/core/Utf8.h"
#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ExactNames.h"
#include "platform/operations/FileCopy.h"
#include "platform/operations/KeepFoldersOpen.h"
#include "platform/operations/ShellFileOperation.h"

namespace {

constexpr unsigned kPasteFileFlags = FOF_MULTIDESTFILES | FOF_SILENT | FOF_RENAMEONCOLLISION | FOF_FILESONLY;
constexpr unsigned kPasteFolderFlags = FOF_MULTIDESTFILES | FOF_SILENT | FOF_RENAMEONCOLLISION;
constexpr unsigned kDeleteFlags = FOF_SILENT | FOF_NOCONFIRMATION;
constexpr unsigned kRecycleFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;

// One shell operation on one path (and one destination); true unless it
// reports that it was aborted.
bool ShellOperation(unsigned function, const std::string& from, const std::string& to, unsigned flags) {
  SHFILEOPSTRUCT operation;
  operation.wFunc = function;
  operation.pFrom = from + std::string(2, '\0');
  if (!to.empty()) operation.pTo = to + std::string(2, '\0');
  operation.fFlags = flags;
  SHFileOperationA(&operation);
  return !operation.fAnyOperationsAborted;
}

// Whether a text can travel as one line of the clipboard text: the system
// clipboard carries UTF-8 text, and a CR or LF would split the line.
bool CanTravel(const std::string& text) { return text.find_first_of("\r\n") == std::string::npos && IsValidUtf8(text); }

// Whether a name from the clipboard text names an entry of its folder and
// nothing else: a text from another program may hold paths.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("\\/\0", 3)) == std::string::npos;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Whether the folder line of a clipboard text can name the folder it came
// from: a full drive path ("C:\Src"), with no control character, which the
// shell operation's path lists and the joined names would cut or bend.
bool IsSourceFolder(const std::string& line) {
  if (!platform::StartsAtDriveRoot(line)) return false;
  const auto letter = static_cast<unsigned char>(line[0]);
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
  return std::none_of(line.begin(), line.end(), IsControl);
}

// The folder line as a message can show it: without its control characters.
std::string Printable(const std::string& line) {
  std::string text;
  std::copy_if(line.begin(), line.end(), std::back_inserter(text), [](char c) { return !IsControl(c); });
  return text;
}

// The text this program last put on the clipboard. A paste of that very
// text carries the list's own names, each exactly the item that was shown.
std::string& OwnClipboardText() {
  static std::string text;
  return text;
}

// The third line: leading white space, an optional sign, then the digits up
// to the first other character; true when they are not all zero.
bool ReadsAsNonZero(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ') ++i;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
    if (line[i] != '0') return true;
  return false;
}

}  // namespace

TStringList* TFileList::FindSelectedFiles() const {
  auto names = std::make_unique<TStringList>();
  if (SelCount() == 0) return names.release();
  const TListItems* items = Items();
  for (int n = 0; n < items->Count(); ++n) {
    const TListItem* item = items->Item(n);
    if (item->Selected()) names->Add(item->Caption());
  }
  return names.release();
}

void TFileList::CopyFiles(bool Cut) {
  const std::string head = "PX4\n" + directory_ + "\n" + (Cut ? "1" : "0") + "\n";
  if (SelCount() == 0) return;
  const std::unique_ptr<TStringList> names(FindSelectedFiles());
  if (!CanTravel(directory_)) {
    ShowMessage("Can't copy file: " + directory_);
    return;
  }
  // A name the text cannot carry is left out and reported: carried, it
  // would name other files, or no file at all, which means the folder.
  std::string text = head;
  bool any = false;
  for (int n = 0; n < names->Count(); ++n) {
    const std::string& name = names->Strings(n);
    if (!CanTravel(name)) {
      ShowMessage("Can't copy file: " + IncludeTrailingBackslash(directory_) + name);
      continue;
    }
    text += name + "\r\n";
    any = true;
  }
  if (!any) return;
  Clipboard()->SetAsText(text);
  OwnClipboardText() = text;
  if (!Cut) return;
  TListItems* items = Items();
  items->BeginUpdate();
  for (int n = 0; n < items->Count(); ++n) {
    TListItem* item = items->Item(n);
    if (item->Selected() && CanTravel(item->Caption())) item->SetCut(true);
  }
  items->EndUpdate();
}

void TFileList::PasteFiles() {
  TClipboard* clipboard = Clipboard();
  if (!clipboard->HasFormat(CF_TEXT)) return;
  const std::string text = clipboard->AsText();
  TStringList lines;
  lines.SetText(text);
  if (lines.Count() < 3 || lines[0] != "PX4") return;
  // Before a folder was read there is no destination.
  if (directory_.empty()) return;
  if (!IsSourceFolder(lines[1])) {
    ShowMessage("Can't copy file: " + Printable(lines[1]));
    return;
  }
  const std::string source = IncludeTrailingBackslash(lines[1]);
  const bool move = ReadsAsNonZero(lines[2]);
  const std::string destination = IncludeTrailingBackslash(directory_);
  const unsigned function = move ? FO_MOVE : FO_COPY;
  // One operation a file: both folders stay open between them, and are
  // closed before the folder is read again.
  {
    platform::KeepFoldersOpen keep;
    std::optional<platform::ExactNames> exact;
    if (!text.empty() && text == OwnClipboardText()) exact.emplace();
    if (lines.Count() == 3) {
      if (!ShellOperation(function, source, destination, kPasteFolderFlags))
        ShowMessage("Unable to copy Directory: " + source);
    } else {
      for (int n = 3; n < lines.Count(); ++n) {
        const std::string& name = lines[n];
        // An empty line names no file (taken whole it would be the folder).
        if (name.empty()) continue;
        const std::string from = source + name;
        const std::string to = destination + name;
        if (!IsPlainName(name)) {
          ShowMessage("Can't copy file: " + from);
          continue;
        }
        if (ShellOperation(function, from, to, kPasteFileFlags)) continue;
        const bool done = move ? MoveFileA(from, to) : CopyFileA(from, to, true);
        if (!done) ShowMessage("Can't copy file: " + from);
      }
    }
  }
  Refresh_List();
}

void TFileList::DeleteFiles(bool Permanently) {
  const std::string verb = Permanently ? "Delete" : "Recycle";
  const unsigned flags = Permanently ? kDeleteFlags : kRecycleFlags;
  if (SelCount() == 0) {
    // Before a folder was read there is nothing to delete.
    if (directory_.empty()) return;
    const std::string path = ExcludeTrailingBackslash(directory_);
    // A slip of the selection must not let one Enter remove a folder tree.
    if (Application->MessageBox(Format("%s Directory %s?", verb, path), "Confirm Directory Delete",
                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
      return;
    // The shell never deletes a drive's root: that fails like any folder.
    if (!ShellOperation(FO_DELETE, path, "", flags))
      Application->MessageBox(Format("Unable to delete direcotry %s!", path), "Error", MB_OK | MB_ICONERROR);
    return;
  }
  const std::string question =
      SelCount() == 1 ? Format("%s this %d File?", verb, 1) : Format("%s these %d Files?", verb, SelCount());
  if (Application->MessageBox(question, "Confirm File Delete", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const std::string folder = IncludeTrailingBackslash(directory_);
  platform::KeepFoldersOpen keep;  // the listed folder, for every file
  // Each caption is exactly the item shown: a case twin beside a name that
  // has gone since the list was read is another item.
  platform::ExactNames exact;
  TListItems* items = Items();
  int n = 0;
  while (n < items->Count()) {
    TListItem* item = items->Item(n);
    if (!item->Selected()) {
      ++n;
      continue;
    }
    const std::string name = item->Caption();
    if (IsPlainName(name) && ShellOperation(FO_DELETE, folder + name, "", flags)) {
      item->Delete();  // the next item moves up to this position
      continue;
    }
    Application->MessageBox(Format("Unable to delete file %s!", name), "Error", MB_OK | MB_ICONERROR);
    ++n;
  }
}
