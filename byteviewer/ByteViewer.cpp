#include "byteviewer/ByteViewer.h"

#include <memory>

#include "platform/console/Console.h"
#include "platform/files/FileIO.h"
#include "platform/files/Find.h"
#include "platform/processes/CommandLine.h"

namespace {

constexpr int kBlack = 0;
constexpr int kRed = 4;
constexpr int kLightGrey = 7;
constexpr int kYellow = 14;
constexpr int kEsc = 27;
constexpr int kCentred = -10;
constexpr int kWidth = 80;
constexpr int kPageRows = 19;
// How often the keyboard is looked at while a pipe or device has no bytes.
constexpr int kWaitStepMs = 50;

// The existence test: the first entry a search for the name finds, which must
// not be a folder.
bool FileExists(const std::string& name) {
  const auto path = platform::ArgumentDrivePath(name);
  if (!path) return false;
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA(*path, FILE_ATTRIBUTE_ANY, data);
  if (!search) return false;
  const bool file = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  FindClose(search);
  return file;
}

}  // namespace

void ByteViewer::PrintAt(int column, int row, const std::string& text, int foreground, int background) {
  console_.SetColours(foreground, background);
  // Centring counts without sign: a text of 79 characters or more gives no
  // column inside the window, so the cursor stays.
  if (column == kCentred) column = text.size() < kWidth ? static_cast<int>((kWidth - text.size()) / 2) : 0;
  console_.PlaceCursor(column, row);
  console_.Write(text);
}

void ByteViewer::AskFileName() {
  console_.Clear();
  PrintAt(1, 1, "Please Enter File Name: ", kYellow, kBlack);
  TargetFile = console_.ReadWord();
}

bool ByteViewer::CheckFile() {
  if (FileExists(TargetFile)) return true;
  // The whole name is shown, however long: a name cut short could be taken
  // for another file's.
  PrintAt(kCentred, 3, "Can't find file: " + TargetFile + "\n", kRed, kBlack);
  console_.ReadKey();
  return false;
}

void ByteViewer::PageFile() {
  PrintAt(1, 1, " ", kLightGrey, kBlack);
  console_.Clear();
  const auto path = platform::ArgumentDrivePath(TargetFile);
  std::unique_ptr<platform::File> file;
  if (path) file = platform::File::Open(*path, platform::File::Mode::Read);
  if (!file) {
    PrintAt(kCentred, 3, "Can't open file", kRed, kBlack);
    return;
  }
  int column = 1;
  int row = 1;
  char buffer[65536];
  std::ptrdiff_t length = 0;
  std::ptrdiff_t next = 0;
  std::string out;  // the bytes of the page so far, written before every wait
  for (;;) {
    if (next == length) {
      // A pipe or device may have nothing yet: what arrived is shown, and Esc
      // ends the wait as it ends the paging at a prompt; other keys go unused.
      if (!file->WaitReadable(0)) {
        console_.StandardOutput(out);
        out.clear();
        while (!file->WaitReadable(kWaitStepMs)) {
          if (console_.ReadKeyWithin(kWaitStepMs) == kEsc) return;
        }
      }
      length = file->Read(buffer, sizeof buffer);
      next = 0;
      if (length <= 0) break;  // the end, or a read error: paging stops either way
    }
    const char byte = buffer[next++];
    out += byte;
    if (byte == '\n' || column >= kWidth) {
      column = 1;
      ++row;
    } else {
      ++column;
    }
    if (row <= kPageRows) continue;
    out += "\nPress any Key to continue";
    console_.StandardOutput(out);
    out.clear();
    column = 1;
    row = 1;
    const int key = console_.ReadKey();
    console_.PlaceCursor(1, console_.CursorRow());
    console_.DeleteLine();
    if (key == kEsc) return;
  }
  console_.StandardOutput(out);
}

int ByteViewer::Main(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) {
    AskFileName();
  } else {
    TargetFile = arguments[1];
  }
  if (!CheckFile()) return 0;
  PageFile();
  PrintAt(1, console_.CursorRow() + 1, "\nFinished Press any key to continue", kYellow, kBlack);
  console_.ReadKey();
  return 0;
}
