// The clipboard text of a paste into a file list on a drive of its own:
// after the paste every byte of every file of the drive still exists
// somewhere on it, and nothing temporary is left.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/Label.h"
#include "framework/core/Clipboard.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TempDrive.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {

namespace fs = std::filesystem;

fs::path g_root;
fs::path g_template;
std::unique_ptr<TExtension> g_table;

// The drive as every input starts with it: the program folder (the icon
// libraries) lies on the drive too, so no paste reaches a file outside it.
void MakeTemplate() {
  using testing_support::WriteFile;
  WriteFile(g_template / "RegInfo.ini", "PX41\r\n.TXT; Text; -; 0; 3;\r\n");
  WriteFile(g_template / "Src" / "a.txt", "alpha");
  WriteFile(g_template / "Src" / "b.txt", "bravo");
  WriteFile(g_template / "Src" / "d.txt", "delta two");
  WriteFile(g_template / "Src" / "sub" / "c.txt", "charlie");
  WriteFile(g_template / "Data" / "d.txt", "delta");
  WriteFile(g_template / "Data" / "Src" / "e.txt", "echo");
  WriteFile(g_template / "f.txt", "foxtrot");
  fs::create_directories(g_template / "Empty");
  fs::create_directories(g_template / "Prog" / "Windows" / "System32");
  fs::copy_file(fs::path(PELLIX_PROGRAM_DIR) / "PX4Images.dll", g_template / "Prog" / "PX4Images.dll");
  fs::copy_file(fs::path(PELLIX_PROGRAM_DIR) / "Windows" / "System32" / "SHELL32.DLL",
                g_template / "Prog" / "Windows" / "System32" / "SHELL32.DLL");
}

// The contents of every file on the drive, and whether a temporary one is among them.
std::multiset<std::string> Contents(bool& temporary) {
  std::multiset<std::string> contents;
  temporary = false;
  for (const auto& entry : fs::recursive_directory_iterator(g_root)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(".pellix-", 0) == 0) temporary = true;
    if (entry.symlink_status().type() == fs::file_type::regular)
      contents.insert(testing_support::ReadFile(entry.path()));
  }
  return contents;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(true);
  const fs::path base = testing_support::FreshFolder("paste");
  g_root = base / "c";
  g_template = base / "template";
  MakeTemplate();
  fs::copy(g_template, g_root, fs::copy_options::recursive);
  platform::SetProgramHostFolder((g_root / "Prog").string());
  platform::SetDriveMap({{'C', g_root.string(), 3}});
  platform::ForgetCurrentFolder();
  Clipboard()->SetPrivateStore(true);
  g_table = std::make_unique<TExtension>(nullptr);
  g_table->FileName = "C:\\RegInfo.ini";
  g_table->Init();
  return 0;
}

// The whole input is the clipboard's text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return 0;
  fs::remove_all(g_root);
  fs::copy(g_template, g_root, fs::copy_options::recursive);
  platform::ForgetCurrentFolder();
  bool temporary = false;
  const std::multiset<std::string> before = Contents(temporary);

  TLabel label(nullptr);
  TFileList list(nullptr);
  list.Extension = g_table.get();
  list.FilesLabel = &label;
  list.Init();
  list.SetDirectory("C:\\Data\\");
  const std::string text = fuzz_support::Text(data, size);
  Clipboard()->SetAsText(text);
  list.PasteFiles();

  const std::multiset<std::string> after = Contents(temporary);
  Check(!temporary, "a temporary file left by pasting " + Shown(text));
  for (const std::string& content : before)
    Check(after.count(content) > 0, "the content " + Shown(content.substr(0, 40)) + " lost by pasting " + Shown(text));
  return 0;
}
