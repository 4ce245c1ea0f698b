#include "components/KeyComs.h"

#include <cstring>

#include "framework/core/SysUtils.h"
#include "framework/core/VirtualKeys.h"

namespace {

struct NamedKey {
  int code;
  const char* name;
};

constexpr NamedKey kKeyNames[] = {
    {VK_BACK, "Backspace"}, {VK_RETURN, "Enter"},  {VK_SHIFT, "Shift"},   {VK_CONTROL, "Control"},
    {VK_MENU, "Alt"},       {VK_PAUSE, "Pause"},   {VK_ESCAPE, "Escape"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PageUp"},   {VK_NEXT, "PageDown"}, {VK_END, "End"},       {VK_HOME, "Home"},
    {VK_LEFT, "Left"},      {VK_UP, "Up"},         {VK_RIGHT, "Right"},   {VK_DOWN, "Down"},
    {VK_INSERT, "Insert"},  {VK_DELETE, "Delete"}, {VK_F1, "F1"},         {VK_F2, "F2"},
    {VK_F3, "F3"},          {VK_F4, "F4"},         {VK_F5, "F5"},         {VK_F6, "F6"},
    {VK_F7, "F7"},          {VK_F8, "F8"},         {VK_F9, "F9"},         {VK_F10, "F10"},
    {VK_F11, "F11"},        {VK_F12, "F12"},
};

}  // namespace

TKeyComs::TKeyComs(TComponent* Owner) : TComponent(Owner) {}

TKeyComs::~TKeyComs() = default;

std::string TKeyComs::Bind(int Key, const std::string& Command) {
  if (Key < 1 || Key > 255) return "Incorrect Number";
  char* slot = Commands[Key];
  if (Command.empty()) {
    if (std::strcmp(slot, " ") == 0) return GetKeyName(Key) + " Not bound";
    return GetKeyName(Key) + " " + slot;
  }
  // A longer command does not fit its slot; cutting it would bind another
  // command than the one asked for.
  if (Command.size() > CommandLength) return "Command too long";
  std::memset(slot, 0, CommandLength + 1);
  Command.copy(slot, CommandLength);
  return GetKeyName(Key) + " Bound";
}

std::string TKeyComs::Bind(const std::string& KeyName, const std::string& Command) {
  if (KeyName.empty()) return "Usage: KeyName Command";
  return Bind(GetKeyNumber(KeyName), Command);
}

std::string TKeyComs::GetCommand(const int Key) const {
  if (Key < 0 || Key > 255) return "";
  return Commands[Key];
}

std::string TKeyComs::GetKeyName(const int Key) const {
  for (const NamedKey& entry : kKeyNames) {
    if (entry.code == Key) return entry.name;
  }
  return std::string(1, static_cast<char>(Key & 0xFF));
}

int TKeyComs::GetKeyNumber(const std::string& KeyName) const {
  // Key names are ASCII and match by ASCII case under every locale; any other
  // first character stays above 127 ("ß" does not become "SS", nor a dotless
  // "ı" an "I"), so it gives no key.
  const std::string upper = UpperCase(KeyName);
  for (const auto& entry : kKeyNames) {
    if (upper == UpperCase(entry.name)) return entry.code;
  }
  if (upper.empty()) return 0;
  return static_cast<signed char>(upper[0]);
}

void TKeyComs::UnBindAll() {
  for (int key = 1; key <= 255; ++key) std::strcpy(Commands[key], " ");
}
