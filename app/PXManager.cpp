#include "app/PXManager.h"

#include <memory>

#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/Search_Form.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/bars/ToolBar.h"
#include "framework/controls/Panel.h"
#include "framework/core/IniFile.h"
#include "framework/core/MemIniFile.h"
#include "framework/graphics/Font.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"

TPXManager* PXManager = nullptr;

namespace {

constexpr const char* kProgramMacro = "($PX4)";

// "FCol"'s default is not the window-text system colour but a negative value
// whose low byte names no system colour, so it draws black.
constexpr TColor kDefaultFontColor = static_cast<TColor>(0xF332A968u);

struct ProgramKey {
  int slot;
  const char* key;
  const char* defaultValue;
};

constexpr ProgramKey kPrograms[] = {
    {1, "BIN", "($PX4)Quorvin.exe"}, {2, "CD", "($PX4)Dorrin2.exe"},  {3, "REG", "($PX4)Kindlow.exe"},
    {4, "IMG", "($PX4)Lumbrel.exe"}, {5, "TXT", "($PX4)Scrivet.exe"},
};

// The settings file stores the pitch as a Windows number; numbers the font
// does not know are the default pitch.
TFontPitch PitchFromNumber(int number) {
  switch (number & 0xFF) {
    case 1: return fpVariable;
    case 2: return fpFixed;
    default: return fpDefault;
  }
}

// A bar's place and visibility, as "VIEW" keeps them under one prefix.
void LoadBar(const TIniFile& ini, TControl* bar, const std::string& prefix, int left, int top) {
  bar->SetLeft(ini.ReadInteger("VIEW", prefix + "X", left));
  bar->SetTop(ini.ReadInteger("VIEW", prefix + "Y", top));
  bar->SetVisible(ini.ReadBool("VIEW", prefix + "Vis", true));
}

void SaveBar(TIniFile& ini, const TControl* bar, const std::string& prefix) {
  ini.WriteInteger("VIEW", prefix + "X", bar->Left());
  ini.WriteInteger("VIEW", prefix + "Y", bar->Top());
  ini.WriteBool("VIEW", prefix + "Vis", bar->Visible());
}

}  // namespace

TPXManager::TPXManager() : Font(new TFont) {}

TPXManager::~TPXManager() { delete Font; }

void TPXManager::LoadPrograms(const std::string& fileName) {
  const auto ini = std::make_unique<TIniFile>(fileName);
  std::string programs[6];
  for (const ProgramKey& p : kPrograms) programs[p.slot] = ini->ReadString("PX41", p.key, p.defaultValue);
  for (int slot = 1; slot <= 5; ++slot) {
    std::string& value = programs[slot];
    // Only the first occurrence stands for the folder; a second stays as text.
    const std::size_t at = value.find(kProgramMacro);
    if (at != std::string::npos) value.replace(at, std::char_traits<char>::length(kProgramMacro), MainForm->ProgramDir);
    MainForm->Programs[slot] = value;
  }
}

void TPXManager::LoadSettings(const std::string& fileName) {
  const auto ini = std::make_unique<TIniFile>(fileName);

  Font->SetName(ini->ReadString("ENV", "FName", "MS Sans Serif"));
  Font->SetCharset(ini->ReadInteger("ENV", "FChar", 1) & 0xFF);
  Font->SetPitch(PitchFromNumber(ini->ReadInteger("ENV", "FPitch", 0)));
  Font->SetSize(ini->ReadInteger("ENV", "FSize", 8));
  Font->SetColor(ini->ReadInteger("ENV", "FCol", kDefaultFontColor));

  const bool bold = ini->ReadBool("ENV", "FStyle1", false);
  const bool italic = ini->ReadBool("ENV", "FStyle2", false);
  const bool underline = ini->ReadBool("ENV", "FStyle3", false);
  const bool strikeOut = ini->ReadBool("ENV", "FStyle4", false);

  BackCl = ini->ReadInteger("ENV", "BackCl", clBtnFace);
  FileCl = ini->ReadInteger("ENV", "FileCl", clWindow);
  DirCl = ini->ReadInteger("ENV", "DirCl", clWindow);

  static constexpr int kColumnWidths[5] = {145, 70, 130, 118, 62};
  TListColumns* columns = MainForm->FileList->Columns();
  for (int i = 0; i < 5; ++i) {
    columns->Item(i)->SetWidth(ini->ReadInteger("VIEW", "COL" + std::to_string(i + 1), kColumnWidths[i]));
  }

  MainWidth = ini->ReadInteger("VIEW", "MainWidth", 800);
  MainHeight = ini->ReadInteger("VIEW", "MainHeight", 600);
  PropWidth = ini->ReadInteger("VIEW", "PropWidth", 350);
  PropHeight = ini->ReadInteger("VIEW", "PropHeight", 460);
  SearchWidth = ini->ReadInteger("VIEW", "SearchWidth", 800);
  SearchHeight = ini->ReadInteger("VIEW", "SearchHeight", 600);

  LoadBar(*ini, MainForm->LocationBar, "LBar", 11, 30);
  LoadBar(*ini, MainForm->MenuBar, "MBar", 11, 1);
  LoadBar(*ini, MainForm->StdBar, "SBar", 334, 1);

  TFontStyles style = Font->Style();
  if (bold) style |= fsBold;
  if (italic) style |= fsItalic;
  if (underline) style |= fsUnderline;
  if (strikeOut) style |= fsStrikeOut;
  Font->SetStyle(style);

  ApplyLook(1);
}

void TPXManager::SaveSettings(const std::string& fileName) {
  // The erase and the 23 keys are made in memory and reach the file in one
  // replacement, so a close cut short leaves the old layout or the new one,
  // never an empty file or a part of the keys.
  const auto ini = std::make_unique<TMemIniFile>(fileName);
  // Erased whole, so keys written into "VIEW" by hand do not survive; the
  // other sections and their comments stay as they are.
  ini->EraseSection("VIEW");

  TListColumns* columns = MainForm->FileList->Columns();
  for (int i = 0; i < 5; ++i) ini->WriteInteger("VIEW", "COL" + std::to_string(i + 1), columns->Item(i)->Width());

  ini->WriteInteger("VIEW", "MainWidth", MainForm->Width());
  ini->WriteInteger("VIEW", "MainHeight", MainForm->Height());
  ini->WriteInteger("VIEW", "MainWS", static_cast<int>(MainForm->WindowState()));

  // A dialog that was never made (a main window built on its own) gives
  // back the size read at start-up, in the normal state.
  ini->WriteInteger("VIEW", "PropWidth", PropForm != nullptr ? PropForm->Width() : PropWidth);
  ini->WriteInteger("VIEW", "PropHeight", PropForm != nullptr ? PropForm->Height() : PropHeight);
  ini->WriteInteger("VIEW", "PropWS", PropForm != nullptr ? static_cast<int>(PropForm->WindowState()) : 0);
  ini->WriteInteger("VIEW", "SearchWidth", SearchForm != nullptr ? SearchForm->Width() : SearchWidth);
  ini->WriteInteger("VIEW", "SearchHeight", SearchForm != nullptr ? SearchForm->Height() : SearchHeight);
  ini->WriteInteger("VIEW", "SearchWS", SearchForm != nullptr ? static_cast<int>(SearchForm->WindowState()) : 0);

  SaveBar(*ini, MainForm->LocationBar, "LBar");
  SaveBar(*ini, MainForm->MenuBar, "MBar");
  SaveBar(*ini, MainForm->StdBar, "SBar");

  ini->UpdateFile();
}

void TPXManager::ApplyLook(short window) {
  switch (window) {
    case 1:
      MainForm->Font()->Assign(*Font);
      MainForm->DirList->Font()->Assign(*Font);
      MainForm->FileList->Font()->Assign(*Font);
      MainForm->DirList->SetColor(DirCl);
      MainForm->FileList->SetColor(FileCl);
      MainForm->SetColor(BackCl);
      break;
    case 2:
      if (PropForm == nullptr) break;
      PropForm->Font()->Assign(*Font);
      PropForm->SetColor(BackCl);
      break;
    case 3:
      if (SearchForm == nullptr) break;
      SearchForm->Font()->Assign(*Font);
      SearchForm->SetColor(BackCl);
      break;
    default: break;
  }
}
