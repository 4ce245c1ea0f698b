// The properties dialog's folder walk: counts the folders and lists the
// files of a whole folder tree.

#include <memory>
#include <set>
#include <utility>

#include "app/Properties.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/Folders.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/Find.h"

namespace {

// The folders walked so far, by identity: a folder reached again (a bind
// mount of another folder of the tree, a folder mounted inside itself) still
// counts as a folder but is not walked twice, so no file is counted twice.
using Walked = std::set<std::pair<std::uint64_t, std::uint64_t>>;

// Whether the folder is walked for the first time; a folder whose identity
// cannot be read is walked (its own walk reports what fails).
bool FirstVisit(const std::string& folder, Walked& walked) {
  const auto status = platform::GetFileStatus(folder);
  return !status || walked.insert({status->device, status->fileId}).second;
}

}  // namespace

TStringList* TPropForm::WalkDirectory(const std::string& Mask, const std::string& Folder, bool Recurse) {
  Walked walked;
  FirstVisit(Folder, walked);
  return Walk(Mask, Folder, Recurse, walked);
}

TStringList* TPropForm::Walk(const std::string& Mask, const std::string& Folder, bool Recurse, Walked& walked) {
  const std::string folder = IncludeTrailingBackslash(Folder);
  // The folder is tested by entering it; the current folder is put back at
  // once, so every walk leaves it as it found it.
  const std::string previous = GetCurrentDirectoryA();
  if (!SetCurrentDirectoryA(folder)) {
    ShowMessage("Unable to Change directory to: " + folder);
    return nullptr;
  }
  SetCurrentDirectoryA(previous);

  auto list = std::make_unique<TStringList>();
  WIN32_FIND_DATAA data;
  // Names and kinds as the folder read gives them; only what is counted is
  // asked for its status, through the open folder.
  HFIND search = FindFirstFileExA(folder + Mask, FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data);
  if (search == nullptr) return list.release();
  const std::unique_ptr<FindSearch, bool (*)(HFIND)> close(search, FindClose);
  do {
    if (data.cFileName == "." || data.cFileName == "..") continue;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !data.symbolicLink) {
      // Counted before its own walk, so a folder that cannot be entered counts too.
      ++DirCount;
      if (!Recurse) continue;
      const std::optional<platform::FileStatus> status = platform::EntryStatus(search, data.cFileName);
      if (status && !walked.insert({status->device, status->fileId}).second) continue;
      const std::unique_ptr<TStringList> below(Walk(Mask, folder + data.cFileName, Recurse, walked));
      if (below) {
        for (int i = 0; i < below->Count(); ++i) list->Add(below->Strings(i));
      }
    } else {
      // A link is counted as the file it is, with its own size, and never
      // entered, as du counts: a link to "/" or to an ancestor adds no tree.
      list->Add(data.cFileName);
      if (const auto status = platform::EntryStatus(search, data.cFileName))
        TotalSize += static_cast<long double>(status->size);
    }
  } while (FindNextFileA(search, data));
  return list.release();
}
