#include "components/Extension.h"

#include <cstdlib>

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Dialogs.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/IconImage.h"
#include "framework/graphics/ImageList.h"
#include "platform/drives/SystemFolders.h"
#include "platform/files/FileIO.h"
#include "platform/libraries/Library.h"
#include "platform/system/Locale.h"

namespace {

// Longest line of the table file that is read; the rest of a longer line is
// dropped, so a file without line ends costs one pass and no more memory.
constexpr std::size_t kMaxLine = 199;
constexpr std::size_t kMarkerLength = 4;

// Reads a file line by line through a fixed buffer. A line ends at LF; a CR
// right before it belongs to the line end. Lines are cut to a length.
class LineReader {
 public:
  explicit LineReader(platform::File& file) : file_(file) {}

  // False at the end of the file when no character is left.
  bool ReadLine(std::string& line, std::size_t max) {
    line.clear();
    bool any = false;
    bool overflow = false;
    for (;;) {
      if (pos_ == end_ && !Fill()) break;
      const char c = buffer_[pos_++];
      any = true;
      if (c == '\n') break;
      // One character beyond the limit is kept, in case it is the CR of CR LF.
      if (line.size() <= max) {
        line.push_back(c);
      } else {
        overflow = true;
      }
    }
    if (!overflow && !line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > max) line.resize(max);
    return any;
  }

 private:
  bool Fill() {
    const std::ptrdiff_t n = file_.Read(buffer_, sizeof buffer_);
    if (n <= 0) return false;
    pos_ = 0;
    end_ = static_cast<std::size_t>(n);
    return true;
  }

  platform::File& file_;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

// Upper case by the user's locale, character by character, keeping the
// length: the index rule counts characters by position.
std::string Upper(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<std::uint32_t>(text.size()));
  return text;
}

// The table position a character stands for, from its code read as a
// signed 8-bit value; -1 when it has none.
int IndexOf(char c, int base, int count) {
  const int index = static_cast<signed char>(c) - base;
  return index >= 0 && index < count ? index : -1;
}

// A decimal whole number the way the table file's view type is read:
// leading blanks and a sign, then digits up to the first other character;
// no digits give 0. Only the low 16 bits are kept.
std::int16_t ReadNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

}  // namespace

TExtension::TExtension(TComponent* owner)
    : TComponent(owner), ExtTable(std::make_unique<TExtSearch[][kOther][kOther]>(kFirst)) {}

// The image lists are owned components and go with this one.
TExtension::~TExtension() = default;

void TExtension::Init() {
  ShellIconFile = Format("%s\\SHELL32.DLL", GetSystemDirectoryA());
  SmallIcons = new TImageList(this, 16, 16);
  LargeIcons = new TImageList(this, 32, 32);
  if (LoadExtra) LoadExtraImages();
  LoadTable();
}

void TExtension::LoadTable() {
  const std::unique_ptr<platform::File> file = platform::File::Open(FileName, platform::File::Mode::Read);
  if (!file) {
    ShowMessage("Couldn't open: " + FileName);
    return;
  }
  // The reader's buffer is large; it lives on the heap.
  const auto reader = std::make_unique<LineReader>(*file);
  std::string line;
  reader->ReadLine(line, kMarkerLength);
  if (line != "PX41") {
    ShowMessage("Invalid File\nPlease run 'Kindlow.exe'");
    return;
  }
  while (reader->ReadLine(line, kMaxLine)) {
    SplitComm(line);
    ExtFields[1] = Upper(ExtFields[1]);
    const std::string& ext = ExtFields[1];
    const int i = ext.size() > 1 ? IndexOf(ext[1], 48, kFirst) : -1;
    const int j = ext.size() > 2 ? IndexOf(ext[2], 32, kOther) : -1;
    const int k = ext.size() > 3 ? IndexOf(ext[3], 32, kOther) : -1;
    if (i < 0 || j < 0 || k < 0) continue;
    TExtSearch& entry = ExtTable[i][j][k];
    entry.Exists = true;
    entry.Description = ExtFields[2];
    entry.ViewType = ReadNumber(ExtFields[5]);
    if (ExtFields[3].size() > 3) {
      entry.IconFile = ExtFields[3];
      // Raises EConvertError for a field that is not a number; the entry
      // keeps what it has so far and the file is closed on the way out.
      entry.IconIndex = static_cast<std::int16_t>(StrToInt(ExtFields[4]));
    } else {
      entry.IconFile = ShellIconFile;
      entry.IconIndex = static_cast<std::int16_t>(ShellIconIndex);
    }
  }
}

bool TExtension::SplitComm(const std::string& line) {
  std::string fields[6];
  if (line.empty()) {
    for (int n = 1; n <= 5; ++n) ExtFields[n].clear();
    return false;
  }
  int field = 1;
  fields[1].push_back(line[0]);
  for (std::size_t n = 1; n < line.size(); ++n) {
    const char before = line[n - 1];
    if (before == '#') break;
    if (before == ';') {
      ++field;
      continue;
    }
    // Text of a sixth or later field is not used.
    if (field <= 5) fields[field].push_back(line[n]);
  }
  for (int n = 1; n <= 5; ++n) {
    std::string text = Trim(fields[n]);
    if (!text.empty()) text.pop_back();
    ExtFields[n] = std::move(text);
  }
  return true;
}

bool TExtension::InTable(int i, int j, int k) const {
  return i >= 0 && i < kFirst && j >= 0 && j < kOther && k >= 0 && k < kOther;
}

bool TExtension::CheckExists(const std::string& Ext, int& i, int& j, int& k) const {
  std::string ext = Upper(Ext);
  if (ext.size() < 2 || ext.size() > 4) return false;
  ext.resize(4, ' ');
  const int x = IndexOf(ext[1], 48, kFirst);
  const int y = IndexOf(ext[2], 32, kOther);
  const int z = IndexOf(ext[3], 32, kOther);
  if (x < 0 || y < 0 || z < 0) return false;
  if (!ExtTable[x][y][z].Exists) return false;
  i = x;
  j = y;
  k = z;
  return true;
}

TExtSearch TExtension::GetExtSearch(int i, int j, int k) {
  if (!InTable(i, j, k)) throw Exception("File type index out of range");
  TExtSearch& entry = ExtTable[i][j][k];
  if (!entry.IconLoaded) {
    // An icon is tried once per run, whether or not it could be added.
    Load_Icon(entry);
    entry.IconLoaded = true;
  }
  return entry;
}

int TExtension::Load_Icon(TExtSearch& ext) {
  const int index = std::abs(static_cast<int>(ext.IconIndex));
  ext.IconIndex = static_cast<std::int16_t>(index);
  ext.ImageIndex = -1;
  if (SmallIcons == nullptr || LargeIcons == nullptr) return -1;
  TIcon icon;
  icon.SetHandle(ExtractIconA(ext.IconFile, static_cast<unsigned>(index)));
  if (icon.Empty()) return -1;
  const int small = SmallIcons->AddIcon(&icon);
  if (small < 0) return -1;
  // Both lists must stay in step, so that one position is valid in both.
  if (LargeIcons->AddIcon(&icon) < 0) {
    TBitmap blank;
    blank.SetSize(LargeIcons->Width(), LargeIcons->Height());
    LargeIcons->Add(&blank);
  }
  ext.ImageIndex = small;
  return small;
}

void TExtension::LoadExtraImages() {
  HMODULE library = LoadLibraryA("PX4Images.dll");
  if (library == nullptr) throw Exception("Unable to Find DLL: PX4Images.dll");
  // The library is released also when a bitmap is missing from it.
  const std::unique_ptr<LibraryModule, bool (*)(HMODULE)> release(library, FreeLibrary);
  TBitmap bitmap;
  bitmap.LoadFromResourceName(library, "SM_SDIR1");
  SortUpImage = SmallIcons->Add(&bitmap);
  bitmap.LoadFromResourceName(library, "SM_SDIR2");
  SortDownImage = SmallIcons->Add(&bitmap);
  bitmap.LoadFromResourceName(library, "LG_FOLDER1");
  LargeIcons->Add(&bitmap);
  bitmap.LoadFromResourceName(library, "LG_FOLDER2");
  LargeIcons->Add(&bitmap);
}

void TExtension::SetExtSearch(int i, int j, int k, TExtSearch ext) {
  if (!InTable(i, j, k)) throw Exception("File type index out of range");
  ExtTable[i][j][k] = std::move(ext);
}
