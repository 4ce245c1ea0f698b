#include <cstdint>
#include <new>

#include "components/Server2.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"

void TServer2::AddCommand(const std::string& line) {
  if (History->Count() >= kHistoryLines) History->Delete(0);
  History->Add(line);
}

std::string TServer2::GetCommand(TDirection direction) {
  const int count = History->Count();
  if (count == 0) return std::string();
  if (direction == dirPrevious && HistoryPos > 0) --HistoryPos;
  if (direction == dirNext && HistoryPos < count - 1) ++HistoryPos;
  // The position is a public field: one set outside the history comes back into it.
  if (HistoryPos > count - 1) HistoryPos = count - 1;
  if (HistoryPos < 0) HistoryPos = 0;
  return History->Strings(HistoryPos);
}

std::string TServer2::SearchComm(const std::string& prefix) const {
  for (int i = 0; i < CommsList->Count(); ++i) {
    const std::string& name = CommsList->Strings(i);
    // The names are ASCII words, matched without regard to ASCII case under
    // every locale.
    if (prefix.size() <= name.size() && UpperCase(name.substr(0, prefix.size())) == UpperCase(prefix)) return name;
  }
  return prefix;
}

std::string TServer2::ShowValue(const std::string& label, bool& value, const std::string& argument) {
  if (argument == "!") {
    value = !value;
  } else if (UpperCase(argument) == "TRUE") {
    value = true;
  } else if (UpperCase(argument) == "FALSE") {
    value = false;
  } else if (!argument.empty()) {
    value = StrToInt(argument) != 0;
  }
  return label + ": " + (value ? "True" : "False");
}

std::string TServer2::ShowValue(const std::string& label, int& value, const std::string& argument) {
  if (!argument.empty()) value = StrToInt(argument);
  return label + ": " + IntToStr(value);
}

void TServer2::BuildServerCommsList() {
  for (const char* name : {"BIND", "ECHO", "EXEC", "QUIT", "RANDOM", "SET_TOOL", "UNBINDALL"}) CommsList->Add(name);
  CommsList->Sort();
}

int TServer2::BinaryToInt(const char* text) {
  // Unsigned arithmetic: a digit above the 32nd weighs nothing instead of
  // overflowing.
  std::uint32_t value = 0;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) value = (value << 1) | (*p == '1' ? 1u : 0u);
  return static_cast<int>(value);
}

std::string TServer2::IntToBinary(int value) {
  try {
    auto bits = static_cast<std::uint32_t>(value);
    if (bits == 0) return "0";
    std::string text;
    for (; bits != 0; bits >>= 1) text.insert(text.begin(), (bits & 1) != 0 ? '1' : '0');
    return text;
  } catch (const std::bad_alloc&) {
    return "0";
  }
}
