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
// How often a running search lets the window messages run: well inside the
// time a click takes to feel answered.
constexpr std::chrono::milliseconds kMessageInterval{5};

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
    messagesRun_ = shown_;
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
  SearchFolder(Folder, *identity, nullptr, "");
}

void TSearchForm::SearchFolder(const std::string& Folder, const platform::FolderIdentity& identity, FindSearch* parent,
                               const std::string& entry) {
  // Each folder is searched once, however many paths lead to it (a bind
  // mount, a folder mounted inside itself).
  if (!searched_.insert({identity.device, identity.inode}).second) return;
  Cancelled = false;

  WIN32_FIND_DATAA data;
  // Names and kinds as the folder read gives them: the mask is tried on the
  // name, and only a hit or a link is asked for its size and time.
  // A sub-folder is opened through its parent's open folder, not by its path.
  HFIND search =
      parent == nullptr
          ? FindFirstFileExA(Folder + "*.*", FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data)
          : platform::FindFirstFileInA(parent, entry, FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data);
  if (search != nullptr) {
    // The listing is closed also when an invalid mask raises out of here.
    const std::unique_ptr<FindSearch, bool (*)(HFIND)> close(search, FindClose);
    for (;;) {
      const std::string& name = data.cFileName;
      if (name != "." && name != "..") {
        // A link is an entry of its own and never entered, as find walks: a
        // hit by its own name, size and time, whatever it points to.
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !data.symbolicLink) {
          if (SubDir_CB->Checked()) {
            // The enter test asks the open folder, not the path again.
            if (const auto entered = platform::EnterableEntry(search, name))
              SearchFolder(Folder + name + '\\', *entered, search, name);
            else
              ShowMessage("Can't change directory to " + Folder + name + '\\');
          }
        } else if (MatchesMask(name, Mask, caseSensitive_)) {
          const std::optional<platform::FileStatus> status = platform::EntryStatus(search, name);
          if (status && InBounds(static_cast<std::int64_t>(status->size))) {
            ++FoundCount;
            AddRow(Folder, name, *status);
          }
        }
      }
      if (!FindNextFileA(search, data)) break;
      const auto now = std::chrono::steady_clock::now();
      ShowFoundNowAndThen(now);
      // The window messages run a few times in each message interval rather
      // than after every entry, which cost a tenth of a search: Cancel and
      // the main window still answer at once.
      if (now - messagesRun_ >= kMessageInterval) {
        Application->ProcessMessages();
        messagesRun_ = std::chrono::steady_clock::now();
      }
      // A program that is ending stops the search as Cancel does.
      if (Cancelled || Application->Terminated()) break;
    }
  }
  pendingCount_ = IntToStr(FoundCount) + " Files Found";
  countPending_ = true;
  ShowFoundNowAndThen(std::chrono::steady_clock::now());
}

bool TSearchForm::InBounds(std::int64_t size) const {
  // The boxes count as they are now: ticking one during a search takes
  // effect at the next file.
  if (SLeast_CB->Checked() && size < MinSize) return false;
  if (SMost_CB->Checked() && size > MaxSize) return false;
  return true;
}

void TSearchForm::AddRow(const std::string& folder, const std::string& name, const platform::FileStatus& status) {
  PendingRow row;
  row.location = folder;
  row.name = name;
  row.size = SizeToStr(static_cast<long double>(status.size));
  const std::string ext = ExtensionOf(name);
  TExtension* types = MainForm->FileExt;
  int i = 0, j = 0, k = 0;
  if (types->CheckExists(ext, i, j, k)) {
    const TExtSearch type = types->GetExtSearch(i, j, k);
    row.type = type.Description;
    row.image = type.ImageIndex;
  } else {
    row.type = AnsiUpperCase(ext) + " File";
  }
  row.modified = ModifiedText(status.lastWriteTime);
  pending_.push_back(std::move(row));
}

void TSearchForm::ShowFoundNowAndThen(std::chrono::steady_clock::time_point now) {
  // A list that takes one row at a time, and a count line that takes every
  // folder's count, draw themselves again each time the window messages
  // run, which costs more than the search itself: they take what is new a
  // few times a second, faster than anyone reads.
  if ((!pending_.empty() || countPending_) && now - shown_ >= kShowInterval) ShowFound();
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
