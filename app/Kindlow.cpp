#include "app/Kindlow.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/RegForm.h"
#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/core/Registry.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "platform/files/FileIO.h"
#include "platform/files/FileReplacement.h"
#include "platform/registry/SystemRegistry.h"

namespace {

constexpr const char* kFileName = "RegInfo.ini";
constexpr const char* kLineEnd = "\r\n";

struct BuiltIn {
  const char* extension;
  int viewType;
  const char* line;
};

// The types the program knows itself: their registry entries are left out of
// the scan, and these lines end every learned file.
constexpr BuiltIn kBuiltIns[] = {
    {".BMP", 4, ".BMP; Windows Bitmap; -; 0; 4;"},
    {".CDA", 7, ".CDA; CD Audio Track; C:\\WINDOWS\\cdplayer.exe; 1; 7;"},
    {".EMF", 4, ".EMF; Enhanced Meta File; -; 0; 4;"},
    {".GIF", 4, ".GIF; Compuserve Graphics Interchange; -; 0; 4;"},
    {".INF", 3, ".INF; Setup Information; shell32.dll; 66; 3;"},
    {".INI", 3, ".INI; Configuration Settings; shell32.dll; 66; 3;"},
    {".JPG", 4, ".JPG; JPEG Image; -; 0; 4;"},
    {".JPE", 4, ".JPE; JPEG Image; -; 0; 4;"},
    {".TXT", 4, ".TXT; Text Document; shell32.dll; 67; 4;"},
    {".WMF", 4, ".WMF; Windows Meta File; -; 0; 4;"},
};

// The longest line the file-type table reads whole (line end not counted).
constexpr std::string::size_type kMaxLineLength = 199;

std::string LearnedFilePath() { return LearnProgramDir() + kFileName; }

// The first `size` bytes of `text` or fewer, never ending inside a UTF-8
// character.
std::string CutText(const std::string& text, std::string::size_type size) {
  if (text.size() <= size) return text;
  while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
  return text.substr(0, size);
}

// The description as the table can read it back: in a line a ";" ends a
// field and swallows the character after it, and a "#" ends the line, so the
// table would read a cut description, lose the view type or stop the start-up
// on the icon index. A ";" is written as ",", a "#" as the sharp sign, which
// looks the same ("C# source code", "PKCS#12 certificate bundle"); a control
// character, which would break the line, as a blank.
std::string ReadableDescription(const std::string& description) {
  std::string text;
  text.reserve(description.size());
  for (const char c : description) {
    if (c == ';') {
      text += ',';
    } else if (c == '#') {
      text += "\xE2\x99\xAF";  // U+266F MUSIC SHARP SIGN
    } else if (static_cast<unsigned char>(c) < 0x20) {
      text += ' ';
    } else {
      text += c;
    }
  }
  return text;
}

// Whether the table reads an icon file back as it was written: a field
// holding ";", "#" or a control character would not survive the reading.
bool ReadableIconFile(const std::string& iconFile) {
  for (const char c : iconFile) {
    if (c == ';' || c == '#' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

// One learned line, "extension; description; icon file; icon index; view
// type;". The table reads only the first 199 characters of a line, and a line
// cut inside its icon fields would stop the program's start-up with a
// conversion error; so a line that would be longer keeps its fields by
// shortening the description, and, should the icon file alone be too long,
// goes without an icon, as does an icon file the table could not read back.
std::string LearnedLine(const std::string& candidate, const std::string& description, const std::string& iconFile,
                        std::int32_t iconIndex, std::int32_t viewType) {
  const std::string head = candidate + "; ";
  const std::string noIcon = "; -; 0; " + IntToStr(viewType) + ";";
  std::string tail = "; " + iconFile + "; " + IntToStr(iconIndex) + "; " + IntToStr(viewType) + ";";
  if (head.size() + tail.size() > kMaxLineLength || !ReadableIconFile(iconFile)) tail = noIcon;
  return head + CutText(ReadableDescription(description), kMaxLineLength - head.size() - tail.size()) + tail + kLineEnd;
}

// Negative indices name the shell's own icons by resource number; -151 to
// -156 are the shell library's documents at positions 66 to 71.
std::int32_t MapIconIndex(std::int32_t index) {
  if (index >= 0) return index;
  if (index <= -151 && index >= -156) return 66 + (-151 - index);
  // The absolute value of the smallest integer does not fit; the nearest
  // index that does keeps every written index 0 or more.
  return index == INT32_MIN ? INT32_MAX : -index;
}

// The dialog's bar and per-cent label after `counter` candidates.
void ShowProgress(int counter) {
  if (LearnForm == nullptr) return;
  const long long scaled = static_cast<long long>(counter) * 100;
  LearnForm->ProgressBar->SetPosition(static_cast<int>(scaled / TKindlow::CandidateCount));
  // Rounded to the nearest whole per cent; with an odd candidate count no
  // value ever lies half-way.
  const long long rounded = (scaled * 2 + TKindlow::CandidateCount) / (2LL * TKindlow::CandidateCount);
  LearnForm->CurPos_L->SetCaption(IntToStr(rounded) + "%");
}

void ShowCurrent(const std::string& text) {
  if (LearnForm != nullptr) LearnForm->CurExt_L->SetCaption(text);
}

void ReportWriteFailure() { ShowMessage("Unable to write to " + LearnedFilePath()); }

// Probes every candidate and writes the marker and a line for each found
// extension; false as soon as a write fails.
bool ProbeCandidates(TKindlow& learner, platform::FileReplacement& file) {
  if (!file.Write(std::string("PX41") + kLineEnd)) return false;
  int counter = 0;
  std::string candidate = ".   ";
  for (int x = 48; x <= 90; ++x) {
    candidate[1] = static_cast<char>(x);
    for (int y = 32; y <= 90; ++y) {
      candidate[2] = static_cast<char>(y);
      for (int z = 32; z <= 90; ++z) {
        candidate[3] = static_cast<char>(z);
        ++counter;
        if (!learner.LookUp(candidate)) continue;
        learner.ViewType = learner.Classify(candidate);
        ShowCurrent(candidate + " " + learner.Description);
        if (learner.ViewType != 1) continue;
        // One write per line hands each line to the system as soon as it is
        // learned; syncing each to the disk would cost the run seconds, and
        // the file counts only once it is whole and synced.
        const std::string line =
            LearnedLine(candidate, learner.Description, learner.IconFile, learner.IconIndex, learner.ViewType);
        if (!file.Write(line)) return false;
      }
      ShowProgress(counter);
      Application->ProcessMessages();
    }
  }
  return true;
}

}  // namespace

TKindlow::TKindlow() : Registry(new TRegistry) { Registry->SetRootKey(HKEY_CLASSES_ROOT); }

TKindlow::~TKindlow() { delete Registry; }

bool TKindlow::OpenIfExists(const std::string& key, bool open) {
  if (!Registry->KeyExists(key)) return false;
  if (open) Registry->OpenKey(key, false);
  return true;
}

std::string TKindlow::ReadValue(const std::string& name) {
  return Registry->ReadString(name == "$default" ? "" : name);
}

void TKindlow::ReadDefaultIcon(const std::string& typeName) {
  IconFile = "-";
  IconIndex = 0;
  if (!OpenIfExists(typeName + "\\DefaultIcon", true)) return;
  const std::string value = ReadValue("$default");
  if (value.size() <= 4) return;
  // The value is taken as it stands: quotes stay, variables are not expanded.
  const std::string::size_type comma = value.find(',');
  IconFile = value.substr(0, comma);
  const std::string index = comma == std::string::npos ? std::string() : value.substr(comma + 1);
  IconIndex = MapIconIndex(index.empty() ? 0 : StrToInt(index));
}

bool TKindlow::LookUp(const std::string& candidate) {
  Description = "-";
  IconFile = "-";
  IconIndex = 0;
  if (!OpenIfExists(candidate, true)) return false;
  const std::string typeName = ReadValue("$default");
  Registry->CloseKey();
  if (typeName.empty()) return false;
  Description = typeName;
  if (OpenIfExists(typeName, true)) {
    const std::string description = ReadValue("$default");
    Registry->CloseKey();
    ReadDefaultIcon(typeName);
    Registry->CloseKey();
    if (!description.empty()) Description = description;
  }
  return true;
}

int TKindlow::Classify(const std::string& candidate) const {
  for (const BuiltIn& builtIn : kBuiltIns) {
    if (candidate == builtIn.extension) return builtIn.viewType;
  }
  return 1;
}

void TKindlow::ScanRegistry() {
  // A run that an error ended may have left a key open; every name of the
  // scan is looked up from the root.
  Registry->CloseKey();
  // Types installed or removed since the last run count: the registry of a
  // running system is always the one in force.
  platform::RereadFileTypes();
  learned_ = platform::FileReplacement::Begin(LearnedFilePath());
  scanFailed_ = !learned_;
  if (scanFailed_) {
    ShowMessage("Can't open RegInfo.ini");
    return;
  }
  bool written = false;
  try {
    written = ProbeCandidates(*this, *learned_);
  } catch (...) {
    // A scan an error ends leaves the old file: a cut table would be used by
    // every later start.
    learned_.reset();
    throw;
  }
  if (written) return;
  learned_.reset();
  scanFailed_ = true;
  ReportWriteFailure();
}

void TKindlow::AppendDefaults() {
  if (std::exchange(scanFailed_, false)) return;
  std::unique_ptr<platform::FileReplacement> file = std::move(learned_);
  if (!file) {
    file = platform::FileReplacement::Begin(LearnedFilePath());
    if (!file) return;
    if (const auto old = platform::ReadWholeFile(LearnedFilePath())) file->Write(*old);
  }
  std::string lines;
  for (const BuiltIn& builtIn : kBuiltIns) lines += std::string(builtIn.line) + kLineEnd;
  if (!file->Write(lines) || !file->Commit()) ReportWriteFailure();
}
