#include "components/Server2.h"

#include "framework/controls/Memo.h"
#include "framework/core/StringList.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "platform/drives/SystemFolders.h"

TServer2::TServer2(TComponent* owner)
    : TComponent(owner), History(std::make_unique<TStringList>()), CommsList(std::make_unique<TStringList>()) {
  CommsList->SetSorted(true);
  BuildServerCommsList();
}

TServer2::~TServer2() = default;

void TServer2::Server(std::string line, bool show, bool remember) {
  line = Trim(line);
  if (!SplitComm(line)) return;
  // Verbs are ASCII words: upper-cased by ASCII rules under every locale, so
  // that a Turkish "i" does not turn "quit" into "QUİT".
  Words[1] = UpperCase(Words[1]);
  // Kept apart from Words, which the host or a script may split anew
  // before the reply is made.
  const std::string verb = Words[1];
  if (remember) AddCommand(line);
  std::string reply;
  bool used = RunBuiltIn(verb, reply, remember);
  if (!used && OnServerComm) OnServerComm(this, reply, used);
  if (!used) reply = verb + "is not a valid command";
  if (show) ShowReply(reply);
}

bool TServer2::SplitComm(std::string line) {
  for (int i = 1; i <= kMaxWords; ++i) Words[i].clear();
  if (line.empty()) return false;
  line = Trim(line);
  if (line.find('#') != std::string::npos) return false;
  // Every blank ends a word, so two blanks in a row leave an empty word.
  std::size_t start = 0;
  for (int slot = 1; slot <= kMaxWords; ++slot) {
    const std::size_t blank = line.find(' ', start);
    Words[slot] = Trim(line.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  return true;
}

bool TServer2::RunBuiltIn(const std::string& verb, std::string& reply, bool remember) {
  if (verb == "ECHO") {
    reply = Arguments();
  } else if (verb == "ERROR") {
    if (OnErrorSent) OnErrorSent(this);
    Application->MessageBox(Arguments(), "Error", MB_OK | MB_ICONERROR);
    Application->Terminate();
  } else if (verb == "EXEC") {
    reply = Exec(Words[2], remember);
  } else if (verb == "GET_LOCATION") {
    Location = ExtractFilePath(GetModuleFileNameA());
    reply = "Location: " + Location;
  } else if (verb == "WARNING") {
    if (OnWarningSent) OnWarningSent(this);
    Application->MessageBox(Arguments(), "Warning", MB_OK | MB_ICONWARNING);
  } else {
    return false;
  }
  return true;
}

std::string TServer2::Arguments() const {
  // Each of the argument slots adds a blank, empty or not.
  std::string text;
  for (int i = 2; i < kWordSlots; ++i) text += Words[i] + ' ';
  return text;
}

void TServer2::ShowReply(const std::string& reply) {
  if (CommsOut == nullptr) return;
  TMemoLines* lines = CommsOut->Lines();
  lines->Insert(0, reply);
  // The oldest lines go from the bottom until the memo is back within the
  // bound: a reply holding CR or LF makes several lines, and a memo that held
  // more (the host lowered MaxLines, or wrote lines of its own) comes back to
  // the bound instead of losing a line in between.
  if (MaxLines > 0) {
    while (lines->Count() > MaxLines) lines->Delete(lines->Count() - 1);
  }
}
