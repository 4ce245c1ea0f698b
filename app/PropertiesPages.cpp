// The properties dialog's activation and the filling of its three pages.

#include <cstdio>
#include <memory>

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "app/Properties.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/chart/PieSeries.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Dialogs.h"
#include "framework/treeview/TreeNode.h"
#include "platform/drives/Drives.h"
#include "platform/drives/ExactNames.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/FileTime.h"

namespace {

// The size texts: the rounded size, then the exact byte count.
std::string SizeText(long double bytes, const std::string& separator, const std::string& exact) {
  return SizeToStr(bytes) + separator + exact + " bytes)";
}

// The drive a drive node of the tree stands for: its text is "(X:)". Any
// other node (the root, a folder selected since) names no drive, and a
// query for one would ask about the current folder's drive instead.
std::string DriveOfNode(const TTreeNode* node) {
  if (node == nullptr || node->Level() != 1) return "";
  const std::string& text = node->Text();
  if (text.size() < 4 || text[0] != '(' || text[2] != ':') return "";
  return text.substr(1, 2);
}

}  // namespace

void TPropForm::FormActivate(TObject* /*Sender*/) {
  PXManager->ApplyLook(2);
  for (TTabSheet* sheet : {FileProp, DriveProp, ToolsCtrl, DirProp}) sheet->SetTabVisible(false);
  switch (PageKind) {
    case 0:
      FileProp->SetTabVisible(true);
      PageControl->SetActivePage(FileProp);
      ShowFileInfo();
      break;
    case 1:
      DriveProp->SetTabVisible(true);
      ToolsCtrl->SetTabVisible(true);
      PageControl->SetActivePage(DriveProp);
      ShowDriveInfo();
      break;
    case 2:
      DirProp->SetTabVisible(true);
      PageControl->SetActivePage(DirProp);
      ShowDirInfo();
      break;
    default: break;
  }
}

void TPropForm::ShowFileInfo() {
  if (MainForm->FileList->SelCount() == 0) return;
  FileInfo = TFileInfo();
  {
    const std::unique_ptr<TStringList> names(MainForm->FileList->FindSelectedFiles());
    if (names->Count() == 0) return;
    FileInfo.Name = names->Strings(0);
  }
  // A file that has gone shows both messages; the page is filled all the
  // same. The name is the item shown, never a case twin beside it.
  {
    platform::ExactNames exact;
    if (!ReadFileStat(FileInfo.Name)) Close();
    if (!ReadAttributes(FileInfo.Name)) Close();
  }

  SetCaption("Properties for " + FileInfo.Name);
  FileName_E->SetText(FileInfo.Name);
  int i = 0, j = 0, k = 0;
  if (MainForm->FileExt->CheckExists(ExtractFileExt(FileInfo.Name), i, j, k)) {
    Report1_L->SetCaption(MainForm->FileExt->GetExtSearch(i, j, k).Description);
  } else {
    Report1_L->SetCaption("Unknown");
  }
  Report2_L->SetCaption(MainForm->DirList->Location);
  Report3_L->SetCaption(SizeText(static_cast<long double>(FileStat.Size), ": (", IntToStr(FileStat.Size)));
  Report4_L->SetCaption(FormatFileTime(FileStat.CreateTime));
  Report5_L->SetCaption(FormatFileTime(FileStat.ModifyTime));
  Report6_L->SetCaption(FormatFileTime(FileStat.AccessTime));
  Archive_CB->SetChecked(FileInfo.IsArchive);
  ReadOnly_CB->SetChecked(FileInfo.IsReadOnly);
  Hidden_CB->SetChecked(FileInfo.IsHidden);
  System_CB->SetChecked(FileInfo.IsSystem);
}

void TPropForm::ShowDriveInfo() {
  DiskInfo = TDiskInfo();
  DiskInfo.Drive = DriveOfNode(MainForm->DirList->Selected());
  SetCaption("Properties for " + DiskInfo.Drive);

  // A drive that cannot be asked (no medium, or no drive node selected)
  // shows no figures and an empty pie rather than stale ones.
  const auto space = DiskInfo.Drive.empty() ? std::nullopt : GetDiskFreeSpaceExA(DiskInfo.Drive);
  const auto volume = DiskInfo.Drive.empty() ? std::nullopt : GetVolumeInformationA(DiskInfo.Drive + "\\");
  if (volume) DiskInfo.VolumeLabel = volume->volumeName.substr(0, 255);
  DriveName_E->SetText(DiskInfo.VolumeLabel);

  Series1->Clear();
  if (!space) {
    for (TLabel* label : {DriveSize_L, DriveFree_L, DriveUsed_L}) label->SetCaption("");
    return;
  }
  const std::uint64_t capacity = space->totalNumberOfBytes;
  const std::uint64_t free = space->freeBytesAvailableToCaller;
  // What quotas keep from the user counts as used.
  const std::uint64_t used = capacity >= free ? capacity - free : 0;
  const struct {
    TLabel* label;
    std::uint64_t value;
  } figures[] = {{DriveSize_L, capacity}, {DriveFree_L, free}, {DriveUsed_L, used}};
  for (const auto& f : figures) {
    const auto value = static_cast<long double>(f.value);
    f.label->SetCaption(SizeText(value, " (", FloatToStr(static_cast<double>(value))));
  }
  Series1->Add(static_cast<double>(free), "Free Space", clFuchsia);
  Series1->Add(static_cast<double>(used), "Used Space", clBlue);
}

void TPropForm::ShowDirInfo() {
  std::string contents;
  FileInfo = TFileInfo();
  DirCount = 0;
  TotalSize = 0;
  const std::string path = ExcludeTrailingBackslash(MainForm->DirList->Location);
  if (!ReadFileStat(path)) Close();

  // Before the tree has opened anything there is no folder; a walk of ""
  // would walk the whole current drive.
  const std::unique_ptr<TStringList> files(path.empty() ? nullptr : WalkDirectory("*.*", path, true));
  const int fileCount = files ? files->Count() : 0;
  const std::size_t slash = path.rfind('\\');
  FileInfo.Name = slash == std::string::npos ? path : path.substr(slash + 1);

  if (DirCount == 1) contents = "1 Directory, ";
  if (DirCount > 1) contents = IntToStr(DirCount) + " Directories, ";
  contents += fileCount == 1 ? "1 File" : IntToStr(fileCount) + " Files";

  SetCaption("Properties for " + path);
  IDirName_E->SetText(FileInfo.Name);
  ILocation_L->SetCaption(ExtractFileDir(path));
  ISize_L->SetCaption(SizeText(TotalSize, ": (", FloatToStr(static_cast<double>(TotalSize))));
  IContains_L->SetCaption(contents);
  ICreated_L->SetCaption(FormatFileTime(FileStat.CreateTime));
}

std::string TPropForm::FormatFileTime(std::int64_t Time) {
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(platform::FileTimeFromUnix(Time, 0), local) || !FileTimeToSystemTime(local, t)) {
    return "";
  }
  // Day, month and year, then the time of day without its seconds (cut, not rounded).
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u %02u:%02u", unsigned{t.wDay}, unsigned{t.wMonth}, unsigned{t.wYear},
                unsigned{t.wHour}, unsigned{t.wMinute});
  return text;
}

bool TPropForm::ReadAttributes(const std::string& Name) {
  // An empty name names no file (not the current folder).
  const std::uint32_t attributes = Name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(Name);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    ShowMessage("Unable to retrive file Attributes");
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) FileInfo.IsReadOnly = true;
  if (attributes & FILE_ATTRIBUTE_HIDDEN) FileInfo.IsHidden = true;
  if (attributes & FILE_ATTRIBUTE_SYSTEM) FileInfo.IsSystem = true;
  if (attributes & FILE_ATTRIBUTE_ARCHIVE) FileInfo.IsArchive = true;
  return true;
}

bool TPropForm::ReadFileStat(const std::string& Name) {
  // What cannot be read shows as nothing, never as the last file's figures.
  FileStat = TFileStat();
  const auto status = Name.empty() ? std::nullopt : platform::GetFileStatus(Name);
  if (!status) {
    ShowMessage("Unable to retrive file information");
    return false;
  }
  FileStat.Size = static_cast<std::int64_t>(status->size);
  FileStat.AccessTime = platform::UnixSecondsFromFileTime(status->lastAccessTime);
  FileStat.ModifyTime = platform::UnixSecondsFromFileTime(status->lastWriteTime);
  FileStat.CreateTime = platform::UnixSecondsFromFileTime(status->creationTime);
  return true;
}
