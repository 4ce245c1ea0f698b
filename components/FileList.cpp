#include "components/FileList.h"

#include <cstdint>
#include <vector>

#include "components/Extension.h"
#include "components/FileDateTexts.h"
#include "components/FileListKeys.h"
#include "framework/controls/Label.h"
#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/Screen.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/Folders.h"
#include "platform/files/Find.h"
#include "platform/system/Locale.h"

namespace {

struct ColumnSpec {
  const char* caption;
  int width;
};
constexpr ColumnSpec kColumns[5] = {{"Name", 145}, {"Size", 70}, {"Type", 130}, {"Modified", 118}, {"Attributes", 62}};

// Sub-items behind the columns: the texts shown, then the two sort keys.
constexpr int kSizeKey = 4;
constexpr int kDateKey = 5;

const std::string& SubItem(const TListItem* item, int index) {
  static const std::string none;
  const TSubItems* sub = item->SubItems();
  return index >= 0 && index < sub->Count() ? sub->Strings(index) : none;
}

// The text an item is sorted by in a column: the caption, the size key,
// the type text, the date key, the attribute letters.
const std::string& SortText(const TListItem* item, int column) {
  switch (column) {
    case 0: return item->Caption();
    case 1: return SubItem(item, kSizeKey);
    case 3: return SubItem(item, kDateKey);
    default: return SubItem(item, column - 1);
  }
}

// The extension of a name: from its last dot on, with the dot. A file name
// may hold a colon, so the drive-path helpers do not apply.
std::string ExtensionOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// Whether a text is a sort key of 16 upper-case hexadecimal digits.
bool IsHexKey(const std::string& key) {
  std::uint64_t value = 0;
  return FileListKeys::HexKey(key, value);
}

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<std::uint32_t>(text.size()));
  return text;
}

// The hourglass and the update bracket end with the read, also when a part
// of it raises.
class ReadGuard {
 public:
  ReadGuard(TListItems* items, TCursor cursor) : items_(items), cursor_(cursor) {}
  ~ReadGuard() {
    if (updating_) items_->EndUpdate();
    Screen->SetCursor(cursor_);
  }
  void BeginUpdate() {
    items_->BeginUpdate();
    updating_ = true;
  }
  void EndUpdate() {
    updating_ = false;
    items_->EndUpdate();
  }

 private:
  TListItems* items_;
  TCursor cursor_;
  bool updating_ = false;
};

}  // namespace

TFileList::TFileList(TComponent* owner) : TListView(owner), keys_(std::make_unique<FileListKeys>()) {
  SetMultiSelect(true);
  OnColumnClick = [this](TObject* sender, TListColumn* column) { ColumnClick(sender, column); };
  OnCompare = [this](TObject* sender, TListItem* a, TListItem* b, int data, int& compare) {
    CompareItems(sender, a, b, data, compare);
  };
}

TFileList::~TFileList() {
  Items()->Clear();
  Ready = false;
}

void TFileList::Init() {
  if (Extension == nullptr) throw Exception("Must have a TExtension Component");
  for (int n = 1; n <= 5; ++n) {
    Cols[n] = Columns()->Add();
    Cols[n]->SetAlignment(taLeftJustify);
  }
  for (int n = 1; n <= 5; ++n) {
    Cols[n]->SetWidth(kColumns[n - 1].width);
    Cols[n]->SetCaption(kColumns[n - 1].caption);
  }
  SetLargeImages(Extension->LargeIcons);
  SetSmallImages(Extension->SmallIcons);
  Ready = true;
}

void TFileList::Read_Files() {
  if (!Ready) return;
  FileCount = 0;
  TListItems* items = Items();
  ReadGuard guard(items, Screen->Cursor());
  if (!SetCurrentDirectoryA(directory_)) {
    ShowMessage("Can't change directory to " + directory_);
    items->Clear();
    return;
  }
  Screen->SetCursor(crHourGlass);
  items->Clear();
  keys_->Clear();
  if (FilesLabel != nullptr) FilesLabel->SetCaption("Processing Files");
  Invalidate();

  guard.BeginUpdate();
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA(
      Mask, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, data);
  if (search != nullptr) {
    // The search is closed also when a part of the read raises.
    const std::unique_ptr<FindSearch, bool (*)(HFIND)> close(search, FindClose);
    FileDateTexts dates;
    do {
      ++FileCount;
      TListItem* item = items->Add();
      item->SetCaption(data.cFileName);
      TSubItems* sub = item->SubItems();
      sub->SetCapacity(6);
      // Sizes are 64-bit: the text and the 16-digit key hold the real length.
      const auto size = static_cast<std::int64_t>(data.nFileSize);
      sub->Add(SizeToStr(static_cast<long double>(size)));
      const std::string ext = ExtensionOf(data.cFileName);
      int i = 0, j = 0, k = 0;
      if (Extension->CheckExists(ext, i, j, k)) {
        const TExtSearch type = Extension->GetExtSearch(i, j, k);
        sub->Add(type.Description);
        item->SetImageIndex(type.ImageIndex);
      } else {
        sub->Add(Upper(ext) + " File");
        item->SetImageIndex(-1);
      }
      FILETIME local;
      if (!FileTimeToLocalFileTime(data.ftLastWriteTime, local)) local = data.ftLastWriteTime;
      std::uint32_t packed = 0;
      // A time outside what the packed form holds gives its nearest edge.
      platform::FileTimeToPackedDosTime(local, packed);
      sub->Add(dates.Of(static_cast<std::int32_t>(packed)));
      sub->Add(GetAttributes(static_cast<int>(data.dwFileAttributes)));
      sub->Add(IntToHex(size, 16));
      sub->Add(IntToHex(static_cast<std::int64_t>(packed), 16));
      // The keys are made while the item is fresh in the cache.
      AddKeys(item);
    } while (FindNextFileA(search, data));
  }
  keysRevision_ = items->Revision();
  SortItems();
  guard.EndUpdate();
  if (FilesLabel != nullptr) FilesLabel->SetCaption(IntToStr(FileCount) + " Files");
}

void TFileList::Refresh_List() { Read_Files(); }

void TFileList::SetDirectory(const std::string& Value) {
  if (Value.empty() || Value == directory_) return;
  directory_ = Value;
  Read_Files();
}

std::string TFileList::GetAttributes(int Attributes) const {
  std::string letters;
  if ((Attributes & FILE_ATTRIBUTE_HIDDEN) != 0) letters += 'H';
  if ((Attributes & FILE_ATTRIBUTE_SYSTEM) != 0) letters += 'S';
  if ((Attributes & FILE_ATTRIBUTE_READONLY) != 0) letters += 'R';
  if ((Attributes & FILE_ATTRIBUTE_ARCHIVE) != 0) letters += 'A';
  return letters;
}

void TFileList::ColumnClick(TObject* Sender, TListColumn* Column) {
  if (Column == nullptr) return;
  if (SortColumn >= 0 && SortColumn < Columns()->Count()) Columns()->Item(SortColumn)->SetImageIndex(-1);
  if (Column->Index() == SortColumn) {
    SortUp = !SortUp;
  } else {
    SortColumn = Column->Index();
  }
  Column->SetImageIndex(SortUp ? Extension->SortUpImage : Extension->SortDownImage);
  SortItems();
}

void TFileList::AddKeys(const TListItem* item) {
  const FileListKeys::Texts texts = {&SortText(item, 0), &SortText(item, 1), &SortText(item, 2), &SortText(item, 3),
                                     &SortText(item, 4)};
  keys_->Add(texts);
}

void TFileList::SortItems() {
  TListItems* items = Items();
  if (keysRevision_ != items->Revision()) {
    // An item was renamed, added or removed since the keys were made.
    keys_->Clear();
    for (int n = 0; n < items->Count(); ++n) AddKeys(items->Item(n));
  }
  if (SortColumn < 0 || SortColumn > 4 || !keys_->Numeric(SortColumn)) {
    // Keys that are not the list's own hexadecimal ones: the texts decide.
    AlphaSort();
    return;
  }
  std::vector<int> order;
  keys_->Sort(SortColumn, SortUp, order);
  ArrangeItems(order);
  keysRevision_ = items->Revision();
}

void TFileList::CompareItems(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  const std::string* a = &SortText(Item1, SortColumn);
  const std::string* b = &SortText(Item2, SortColumn);
  if ((SortColumn == 1 || SortColumn == 3) && IsHexKey(*a) && IsHexKey(*b)) {
    // Two keys of 16 digits from 0 to F: every locale orders the digits
    // before the letters and these letters alphabetically, so the byte
    // order is the locale's order, without the collator's cost.
    const int order = a->compare(*b);
    Compare = order < 0 ? -1 : (order > 0 ? 1 : 0);
  } else {
    // CompareStringA gives 1, 2 or 3 for less, equal and greater, 0 on an error.
    const int order = CompareStringA(NORM_IGNORECASE, *a, *b);
    Compare = order == 0 ? 0 : order - CSTR_EQUAL;
  }
  if (!SortUp) Compare = -Compare;
}

std::string SizeToStr(long double Bytes) {
  long double value = Bytes;
  const char* unit = "B";
  if (Bytes < 1000.0L) {
    unit = "B";
  } else if (Bytes < 1000000.0L) {
    value = Bytes * 0.001L;
    unit = "Kb";
  } else if (Bytes < 1000000000.0L) {
    value = Bytes * 0.000001L;
    unit = "Mb";
  } else {
    value = Bytes * 0.000000001L;
    unit = "Gb";
  }
  return FloatToStrF(static_cast<double>(value), ffNumber, 12, 2) + " " + unit;
}
