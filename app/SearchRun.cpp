// The search of the search dialog: the criteria, the walk through the
// folders and the rows of the hits.

#include <chrono>
#include <memory>

#include "app/MainForm.h"
#include "app/Search_Form.h"
#include "components/ExtSearch.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/UpDown.h"
#include "framework/core/Exception.h"
#include "framework/core/Masks.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/Screen.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"
#include "framework/listview/SubItems.h"
#include "platform/files/Find.h"
#include "platform/files/FolderAccess.h"

namespace {

constexpr std::chrono::milliseconds kShowInterval{100};

// The part of a name from its last dot on, with the dot; empty without one.
std::string ExtensionOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The first `count` characters of a text, never cutting a UTF-8 sequence.
std::string FirstCharacters(const std::string& text, int count) {
  std::size_t end = 0;
  while (end < text.size() && count > 0) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    --count;
  }
  return text.substr(0, end);
}

// The file's last-write time as the file list writes it: local time at the
// packed two-second precision, the user's short date, a blank and the long
// time (the date alone at midnight).
std::string ModifiedText(const FILETIME& lastWrite) {
  FILETIME local;
  if (!FileTimeToLocalFileTime(lastWrite, local)) local = lastWrite;
  std::uint32_t packed = 0;
  // A time outside what the packed form holds gives its nearest edge.
  platform::FileTimeToPackedDosTime(local, packed);
  return FirstCharacters(DateTimeToStr(FileDateToDateTime(static_cast<std::int32_t>(packed))), 9);
}

// A bound from its unit and its up-down: 64-bit, so every unit is exact up
// to the up-down's top (32000 Gb).
std::int64_t Bound(const TComboBox* unit, const TUpDown* upDown) {
  return static_cast<std::int64_t>(UnitMultiplier(unit->Text())) * upDown->Position();
}

}  // namespace

std::int32_t UnitMultiplier(const std::string& Unit) {
  if (Unit == "B") return 1;
  if (Unit == "Kb") return 1000;
  if (Unit == "Mb") return 1000000;
  if (Unit == "Gb") return 1000000000;
  // A typed unit of its own would otherwise give a bound nobody asked for.
  throw Exception("'" + Unit + "' is not a size unit: choose B, Kb, Mb or Gb");
}

void TSearchForm::StartSearch() {
  const TCursor saved = Screen->Cursor();
  Screen->SetCursor(crAppStart);
  Cancel_B->SetCaption("Cancel");
  // A second search inside the running one would mix their criteria and
  // counts: OK waits until this one has ended.
  Ok_B->SetEnabled(false);
  const auto finish = [&] {
    ShowFound();
    // By folder, as the locale orders texts, case counting; the rows of one
    // folder by name, case ignored, as the file list shows them, rather
    // than in the order the disk happened to list them.
    FilesFound->CustomSort(
        [](TListItem* a, TListItem* b, int) {
          if (a->Caption() != b->Caption()) return AnsiCompareStr(a->Caption(), b->Caption());
          return AnsiCompareText(a->SubItems()->Strings(0), b->SubItems()->Strings(0));
        },
        0);
    Screen->SetCursor(saved);
    Cancel_B->SetCaption("Close");
    Ok_B->SetEnabled(true);
    searched_.clear();
  };
  try {
    Mask = Name_E->Text();
    if (Mask.empty() || Mask == "*") Mask = "*.*";
    caseSensitive_ = Case_CB->Checked();
    if (SLeast_CB->Checked()) MinSize = Bound(SLeastUnit, SLeast_UD);
    if (SMost_CB->Checked()) MaxSize = Bound(SMostUnit, SMost_UD);
    FoundCount = 0;
    Found_L->SetCaption("");
    FilesFound->Items()->Clear();
    pending_.clear();
    countPending_ = false;
    shown_ = std::chrono::steady_clock::now();
    searched_.clear();
    SearchDir(LookIn_E->Text());
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TSearchForm::SearchDir(std::string Folder) {
  if (Folder.empty() || Folder.back() != '\\') Folder += '\\';
  // The test enters nothing: the main file list's folder stays current.
  const std::optional<platform::FolderIdentity> identity = platform::EnterableFolder(Folder);
  if (!identity) {
    ShowMessage("Can't change directory to " + Folder);
    return;
  }
  // Each folder is searched once, however many paths lead to it (a bind
  // mount, a folder mounted inside itself).
  if (!searched_.insert({identity->device, identity->inode}).second) return;
  Cancelled = false;

  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA(Folder + "*.*", FILE_ATTRIBUTE_ANY, data);
  if (search != nullptr) {
    // The listing is closed also when an invalid mask raises out of here.
    const std::unique_ptr<FindSearch, bool (*)(HFIND)> close(search, FindClose);
    for (;;) {
      const std::string& name = data.cFileName;
      if (name != "." && name != "..") {
        if (data.symbolicLink) {
          // A link is an entry of its own and never entered, as find walks:
          // a hit by its own name, size and time, whatever it points to.
          if (const auto link = platform::EntryStatus(search, name)) {
            WIN32_FIND_DATAA own = data;
            own.nFileSize = link->size;
            own.ftLastWriteTime = link->lastWriteTime;
            if (IsHit(own)) {
              ++FoundCount;
              AddRow(Folder, own);
            }
          }
        } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          if (SubDir_CB->Checked()) SearchDir(Folder + name);
        } else if (IsHit(data)) {
          ++FoundCount;
          AddRow(Folder, data);
        }
      }
      if (!FindNextFileA(search, data)) break;
      ShowFoundNowAndThen();
      Application->ProcessMessages();
      // A program that is ending stops the search as Cancel does.
      if (Cancelled || Application->Terminated()) break;
    }
  }
  pendingCount_ = IntToStr(FoundCount) + " Files Found";
  countPending_ = true;
  ShowFoundNowAndThen();
}

bool TSearchForm::IsHit(const WIN32_FIND_DATAA& data) const {
  if (!MatchesMask(data.cFileName, Mask, caseSensitive_)) return false;
  // The boxes count as they are now: ticking one during a search takes
  // effect at the next file.
  const auto size = static_cast<std::int64_t>(data.nFileSize);
  if (SLeast_CB->Checked() && size < MinSize) return false;
  if (SMost_CB->Checked() && size > MaxSize) return false;
  return true;
}

void TSearchForm::AddRow(const std::string& folder, const WIN32_FIND_DATAA& data) {
  PendingRow row;
  row.location = folder;
  row.name = data.cFileName;
  row.size = SizeToStr(static_cast<long double>(data.nFileSize));
  const std::string ext = ExtensionOf(data.cFileName);
  TExtension* types = MainForm->FileExt;
  int i = 0, j = 0, k = 0;
  if (types->CheckExists(ext, i, j, k)) {
    const TExtSearch type = types->GetExtSearch(i, j, k);
    row.type = type.Description;
    row.image = type.ImageIndex;
  } else {
    row.type = AnsiUpperCase(ext) + " File";
  }
  row.modified = ModifiedText(data.ftLastWriteTime);
  pending_.push_back(std::move(row));
}

void TSearchForm::ShowFoundNowAndThen() {
  // A list that takes one row at a time, and a count line that takes every
  // folder's count, draw themselves again each time the window messages
  // run, which costs more than the search itself: they take what is new a
  // few times a second, faster than anyone reads.
  if ((!pending_.empty() || countPending_) && std::chrono::steady_clock::now() - shown_ >= kShowInterval) ShowFound();
}

void TSearchForm::ShowFound() {
  TListItems* items = FilesFound->Items();
  for (PendingRow& row : pending_) {
    TListItem* item = items->Add();
    item->SetCaption(row.location);
    TSubItems* sub = item->SubItems();
    sub->Add(row.name);
    sub->Add(row.size);
    sub->Add(row.type);
    sub->Add(row.modified);
    item->SetImageIndex(row.image);
  }
  pending_.clear();
  if (countPending_) Found_L->SetCaption(pendingCount_);
  countPending_ = false;
  shown_ = std::chrono::steady_clock::now();
}
