#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Point.h"

class TMemo;
class TStringList;

/// A step through the remembered command lines.
enum TDirection : unsigned char {
  dirPrevious,  ///< one entry towards the oldest
  dirCurrent,   ///< stay
  dirNext,      ///< one entry towards the newest
};

/// Asks the host to run a verb the interpreter does not know. The host
/// reads the verb and its arguments from Words, sets Message to its reply
/// and Used to true when it takes the command.
using TServerCommEvent = std::function<void(TObject* Sender, std::string& Message, bool& Used)>;

/// A command interpreter for lines typed by a user or read from a script.
/// A line is split into blank-separated words; the verbs ECHO, ERROR, EXEC,
/// GET_LOCATION and WARNING are run here, every other verb goes to the host
/// through OnServerComm. The one-line reply goes to the top of the memo
/// CommsOut, which keeps at most MaxLines lines. Faults are reply texts,
/// never errors. Also keeps the last 40 lines for stepping back and forth,
/// and completes verbs from a list of command names.
class TServer2 : public TComponent {
 public:
  /// Words holds the verb at 1 and up to 17 arguments at 2 to 18.
  static constexpr int kWordSlots = 20;
  static constexpr int kMaxWords = 18;
  static constexpr int kHistoryLines = 40;
  /// How many scripts may run inside one another: an EXEC deeper than that
  /// runs nothing.
  static constexpr int kMaxExecDepth = 16;
  /// How many script lines one command may run, its nested scripts
  /// together: past that every script of the command stops, so that no
  /// script that calls itself holds the program.
  static constexpr int kMaxScriptLines = 10000;

  explicit TServer2(TComponent* owner);
  ~TServer2() override;

  /// Interprets one line; `show` puts the reply at the top of CommsOut,
  /// `remember` keeps the line in the history. A blank line, or one holding
  /// "#" anywhere, is ignored entirely.
  void Server(std::string line, bool show, bool remember);
  /// Splits a line into Words (slots 1 to 18, emptied first); false for an
  /// empty line or one holding "#", which leaves every slot empty.
  bool SplitComm(std::string line);
  /// Remembers a line, dropping the oldest once 40 are kept.
  void AddCommand(const std::string& line);
  /// Steps through the history and returns the entry reached; empty when
  /// nothing is remembered.
  std::string GetCommand(TDirection direction);
  /// The first command name that starts with the prefix, case ignored; the
  /// prefix itself when none does.
  std::string SearchComm(const std::string& prefix) const;
  /// Sets a flag from an argument ("!" inverts, "TRUE"/"FALSE" in any case,
  /// else an integer, nonzero for true; empty leaves it) and reports it as
  /// "label: True" or "label: False". An argument that is no integer raises
  /// EConvertError and leaves the flag.
  std::string ShowValue(const std::string& label, bool& value, const std::string& argument);
  /// Sets a number from an integer argument (empty leaves it) and reports it
  /// as "label: value". An argument that is no integer raises EConvertError
  /// and leaves the number.
  std::string ShowValue(const std::string& label, int& value, const std::string& argument);
  /// Adds the command names to CommsList and sorts it.
  void BuildServerCommsList();

  /// The value of a text of 0 and 1 characters, the last one weighing 1;
  /// other characters add nothing. Only the last 32 characters count.
  static int BinaryToInt(const char* text);
  static int BoolToInt(bool value) { return value ? 1 : 0; }
  static bool IntToBool(int value) { return value != 0; }
  static TPoint IntToIPoint(int x, int y) { return TPoint{x, y}; }
  /// The number in base 2, highest digit first: "0" for zero, and a
  /// negative number as its 32 bits of two's complement.
  static std::string IntToBinary(int value);
  /// True for positive odd numbers.
  static bool OddNum(int value) { return value > 0 && value % 2 == 1; }

  /// Index in History of the entry GetCommand last reached.
  int HistoryPos = 0;
  /// The most lines CommsOut keeps (published; stored by a form when it is
  /// not 60, but a new interpreter holds 0). Below 1 the memo is not bounded.
  short MaxLines = 0;
  /// The remembered lines, oldest first (owned).
  std::unique_ptr<TStringList> History;
  /// The command names for completion, sorted (owned).
  std::unique_ptr<TStringList> CommsList;
  /// The memo that receives the replies, newest at the top (not owned).
  TMemo* CommsOut = nullptr;
  /// Fired by ERROR and WARNING before their message box.
  TNotifyEvent OnErrorSent;
  TNotifyEvent OnWarningSent;
  TServerCommEvent OnServerComm;
  /// The program's own folder with a trailing backslash, set by GET_LOCATION.
  std::string Location;
  /// The words of the line split last: 1 the verb, 2 to 18 the arguments;
  /// 0 and 19 stay empty.
  std::string Words[kWordSlots];

 private:
  bool RunBuiltIn(const std::string& verb, std::string& reply, bool remember);
  std::string Arguments() const;
  void ShowReply(const std::string& reply);
  std::string Exec(std::string name, bool remember);

  int execDepth_ = 0;
  int scriptLinesLeft_ = 0;      // of the command that runs the outermost script
  bool scriptLinesOut_ = false;  // a line was refused: every script of the command stops
};
