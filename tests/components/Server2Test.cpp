#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "components/Server2.h"
#include "framework/controls/Memo.h"
#include "framework/core/Exception.h"
#include "framework/core/StringList.h"
#include "framework/forms/Application.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/system/Locale.h"
#include "tests/components/ComponentTestSupport.h"
#include "tests/support/ChildTests.h"

using namespace component_test;

namespace {

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::vector<std::string> MemoLines(const TMemo& memo) {
  std::vector<std::string> lines;
  for (int i = 0; i < memo.Lines()->Count(); ++i) lines.push_back(memo.Lines()->Strings(i));
  return lines;
}

std::vector<std::string> HistoryOf(const TServer2& server) {
  std::vector<std::string> lines;
  for (int i = 0; i < server.History->Count(); ++i) lines.push_back(server.History->Strings(i));
  return lines;
}

class Server2 : public ::testing::Test {
 protected:
  Server2() : drive_("server2"), memo_(nullptr), server_(nullptr) {
    server_.CommsOut = &memo_;
    server_.MaxLines = 60;
  }

  TestDrive drive_;
  TMemo memo_;
  TServer2 server_;
};

TEST(Server2New, StartsWithoutBoundHistoryOrMemo) {
  TServer2 server(nullptr);
  EXPECT_EQ(server.MaxLines, 0);
  EXPECT_EQ(server.CommsOut, nullptr);
  EXPECT_EQ(server.HistoryPos, 0);
  EXPECT_EQ(server.History->Count(), 0);
  EXPECT_TRUE(server.Location.empty());
  std::vector<std::string> names;
  for (int i = 0; i < server.CommsList->Count(); ++i) names.push_back(server.CommsList->Strings(i));
  EXPECT_EQ(names, (std::vector<std::string>{"BIND", "ECHO", "EXEC", "QUIT", "RANDOM", "SET_TOOL", "UNBINDALL"}));
  // Without a memo a reply goes nowhere, and nothing fails.
  server.Server("ECHO hello", true, true);
  EXPECT_EQ(HistoryOf(server), (std::vector<std::string>{"ECHO hello"}));
}

struct ReplyCase {
  std::string line;
  bool ignored;         // no reply and no history entry
  std::string reply;    // the memo's one line
  std::string history;  // the line as remembered
};

TEST_F(Server2, RepliesToEachLineAtTheTopOfTheMemo) {
  const std::vector<ReplyCase> cases = {
      {"ECHO Hello  World", false, "Hello  World" + Blanks(16), "ECHO Hello  World"},
      {"ECHO", false, Blanks(18), "ECHO"},
      {"  echo MiXed\t ", false, "MiXed" + Blanks(18), "echo MiXed"},
      {"ECHO 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20", false, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17  ",
       "ECHO 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20"},
      {"ECHO\tx", false, "ECHO\tXis not a valid command", "ECHO\tx"},
      {"foo bar", false, "FOOis not a valid command", "foo bar"},
      {"EXEC", false, "Couldn't exec: ", "EXEC"},
      {"exec missing.txt", false, "Couldn't exec: missing.txt", "exec missing.txt"},
      {"EXEC C:\\pipe", false, "Couldn't exec: C:\\pipe", "EXEC C:\\pipe"},
      {"ECHO a#b", true, "", ""},
      {"# a comment", true, "", ""},
      {"", true, "", ""},
      {" \t ", true, "", ""},
  };
  // A script that is a pipe is refused: reading it would wait for a writer.
  ASSERT_EQ(::mkfifo(drive_.Host("pipe").c_str(), 0600), 0);
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.line);
    TServer2 server(nullptr);
    TMemo memo(nullptr);
    server.CommsOut = &memo;
    server.MaxLines = 60;
    server.Server(c.line, true, true);
    EXPECT_EQ(MemoLines(memo), c.ignored ? std::vector<std::string>{} : std::vector<std::string>{c.reply});
    EXPECT_EQ(HistoryOf(server), c.ignored ? std::vector<std::string>{} : std::vector<std::string>{c.history});
  }
  // Shown without being remembered, and remembered without being shown.
  server_.Server("ECHO shown", true, false);
  server_.Server("ECHO not shown", false, true);
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"shown" + Blanks(18)}));
  EXPECT_EQ(HistoryOf(server_), (std::vector<std::string>{"ECHO not shown"}));
}

TEST_F(Server2, SplitsAtEveryBlankAndDropsWordsPastTheEighteenth) {
  EXPECT_TRUE(server_.SplitComm("   "));
  for (const std::string& word : server_.Words) EXPECT_EQ(word, "");

  std::string line = "V";
  for (int i = 2; i <= 20; ++i) line += " w" + std::to_string(i);
  EXPECT_TRUE(server_.SplitComm(line));
  EXPECT_EQ(server_.Words[1], "V");
  EXPECT_EQ(server_.Words[18], "w18");
  EXPECT_EQ(server_.Words[19], "");
  EXPECT_EQ(server_.Words[0], "");

  EXPECT_TRUE(server_.SplitComm("set\x01 a\x01z\x02  b"));
  EXPECT_EQ(server_.Words[1], "set");
  EXPECT_EQ(server_.Words[2], "a\x01z");
  EXPECT_EQ(server_.Words[3], "");
  EXPECT_EQ(server_.Words[4], "b");

  // "#" voids the whole line, the words before it too.
  EXPECT_FALSE(server_.SplitComm("ECHO one #two"));
  EXPECT_EQ(server_.Words[1], "");
  EXPECT_EQ(server_.Words[2], "");
}

TEST_F(Server2, HandsUnknownVerbsToTheHost) {
  struct Seen {
    TObject* sender;
    std::string message;
    std::string verb;
    std::string argument;
  };
  std::vector<Seen> seen;
  server_.OnServerComm = [&](TObject* sender, std::string& message, bool& used) {
    seen.push_back({sender, message, server_.Words[1], server_.Words[2]});
    EXPECT_FALSE(used);
    if (server_.Words[1] == "SET_TOOL") {
      message = "Tool: " + server_.Words[2];
      used = true;
    } else if (server_.Words[1] == "QUIT") {
      used = true;
    } else {
      message = "ignored by the host";
    }
  };
  server_.Server("set_tool Hammer", true, true);
  server_.Server("quit", true, true);
  server_.Server("random 6", true, true);
  server_.Server("echo x", true, true);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].sender, &server_);
  EXPECT_EQ(seen[0].message, "");
  EXPECT_EQ(seen[0].verb, "SET_TOOL");
  EXPECT_EQ(seen[0].argument, "Hammer");
  EXPECT_EQ(MemoLines(memo_),
            (std::vector<std::string>{"x" + Blanks(18), "RANDOMis not a valid command", "", "Tool: Hammer"}));
}

TEST_F(Server2, ErrorAndWarningShowABoxAndAnEmptyReply) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  struct BoxCase {
    const char* line;
    const char* caption;
    unsigned flags;
    bool ends;
  };
  for (const BoxCase& c : {BoxCase{"warning disk full", "Warning", MB_OK | MB_ICONWARNING, false},
                           BoxCase{"ERROR disk full", "Error", MB_OK | MB_ICONERROR, true}}) {
    SCOPED_TRACE(c.line);
    drive_.boxes.Clear();
    std::vector<std::string> order;
    server_.OnErrorSent = [&](TObject* sender) {
      EXPECT_EQ(sender, &server_);
      order.push_back("error sent, boxes: " + std::to_string(drive_.boxes.Shown().size()));
    };
    server_.OnWarningSent = [&](TObject*) {
      order.push_back("warning sent, boxes: " + std::to_string(drive_.boxes.Shown().size()));
    };
    memo_.Lines()->Clear();
    server_.Server(c.line, true, false);
    EXPECT_EQ(order.size(), 1u);
    EXPECT_NE(order.front().find("boxes: 0"), std::string::npos) << order.front();
    ASSERT_EQ(drive_.boxes.Shown().size(), 1u);
    EXPECT_EQ(drive_.boxes.Shown()[0].Text, "disk full" + Blanks(17));
    EXPECT_EQ(drive_.boxes.Shown()[0].Caption, c.caption);
    EXPECT_EQ(drive_.boxes.Shown()[0].Flags, c.flags);
    EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{""}));
    EXPECT_EQ(Application->Terminated(), c.ends);
  }
  // The loop asked to end returns at once and is ready for the next test.
  Application->Run();
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(Server2, KeepsTheMemoAtMaxLines) {
  server_.MaxLines = 3;
  for (const char* word : {"a", "b", "c"}) server_.Server(std::string("ECHO ") + word, true, false);
  ASSERT_EQ(memo_.Lines()->Count(), 3);
  server_.Server("ECHO d", true, false);
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"d" + Blanks(18), "c" + Blanks(18), "b" + Blanks(18)}));

  // More lines than the bound (the host wrote its own): back to the bound,
  // losing the oldest lines.
  for (const char* text : {"old 1", "old 2"}) memo_.Lines()->Add(text);
  server_.Server("ECHO e", true, false);
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"e" + Blanks(18), "d" + Blanks(18), "c" + Blanks(18)}));

  // A reply holding line breaks makes several lines, and still the memo
  // keeps its bound, losing its oldest lines.
  const struct {
    const char* line;
    std::vector<std::string> memo;
  } breaks[] = {
      {"ECHO a\rb", {"a", "b" + Blanks(18), "e" + Blanks(18)}},
      {"ECHO x\ny\r\nz", {"x", "y", "z" + Blanks(18)}},
      {"ECHO 1\r2\r3\r4\r5", {"1", "2", "3"}},
  };
  for (const auto& b : breaks) {
    server_.Server(b.line, true, false);
    EXPECT_EQ(MemoLines(memo_), b.memo) << b.line;
  }
  server_.MaxLines = 60;
  for (int i = 0; i < 10; ++i) server_.Server("ECHO " + std::string(20, '\r') + "a\rb\rc\rd\re\rf\rg\rh", true, false);
  EXPECT_EQ(memo_.Lines()->Count(), 60);
  server_.MaxLines = 3;
  server_.Server("ECHO e", true, false);
  EXPECT_EQ(memo_.Lines()->Count(), 3);

  // No bound below 1.
  server_.MaxLines = 0;
  server_.Server("ECHO f", true, false);
  EXPECT_EQ(memo_.Lines()->Count(), 4);
}

TEST_F(Server2, RemembersTheLastFortyLinesAndStepsThroughThem) {
  EXPECT_EQ(server_.GetCommand(dirPrevious), "");
  EXPECT_EQ(server_.HistoryPos, 0);
  for (int i = 1; i <= 41; ++i) server_.Server("cmd" + std::to_string(i), false, true);
  ASSERT_EQ(server_.History->Count(), 40);
  EXPECT_EQ(server_.History->Strings(0), "cmd2");
  EXPECT_EQ(server_.History->Strings(39), "cmd41");

  struct Step {
    TDirection direction;
    const char* entry;
    int pos;
  };
  // Remembering does not move the position: the first step starts at the oldest.
  for (const Step& s : {Step{dirPrevious, "cmd2", 0}, Step{dirCurrent, "cmd2", 0}, Step{dirNext, "cmd3", 1},
                        Step{static_cast<TDirection>(7), "cmd3", 1}, Step{dirPrevious, "cmd2", 0}}) {
    EXPECT_EQ(server_.GetCommand(s.direction), s.entry);
    EXPECT_EQ(server_.HistoryPos, s.pos);
  }
  for (int i = 0; i < 45; ++i) server_.GetCommand(dirNext);
  EXPECT_EQ(server_.GetCommand(dirNext), "cmd41");
  EXPECT_EQ(server_.HistoryPos, 39);
}

TEST_F(Server2, CompletesVerbsFromTheCommandNames) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"se", "SET_TOOL"},   {"E", "ECHO"},      {"exe", "EXEC"},
      {"x", "x"},           {"", "BIND"},       {"Unb", "UNBINDALL"},
      {"set_", "SET_TOOL"}, {"bindx", "bindx"}, {"SET_TOOLS", "SET_TOOLS"},
  };
  for (const auto& [prefix, name] : cases) EXPECT_EQ(server_.SearchComm(prefix), name) << prefix;
}

TEST_F(Server2, SetsAndReportsValuesFromArguments) {
  bool flag = false;
  struct FlagStep {
    const char* argument;
    const char* report;
  };
  for (const FlagStep& s :
       {FlagStep{"!", "Sound: True"}, FlagStep{"!", "Sound: False"}, FlagStep{"true", "Sound: True"},
        FlagStep{"0", "Sound: False"}, FlagStep{"TrUe", "Sound: True"}, FlagStep{"", "Sound: True"},
        FlagStep{"fAlSe", "Sound: False"}, FlagStep{"-2", "Sound: True"}}) {
    EXPECT_EQ(server_.ShowValue("Sound", flag, s.argument), s.report) << s.argument;
  }
  int number = 5;
  EXPECT_EQ(server_.ShowValue("Speed", number, ""), "Speed: 5");
  EXPECT_EQ(server_.ShowValue("Speed", number, "-12"), "Speed: -12");
  EXPECT_EQ(server_.ShowValue("Speed", number, "$10"), "Speed: 16");

  // A text that is no number raises the conversion's error; the value stays.
  for (const char* bad : {"yes", "12x"}) {
    try {
      server_.ShowValue("Sound", flag, bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
    EXPECT_THROW(server_.ShowValue("Speed", number, bad), EConvertError);
  }
  EXPECT_TRUE(flag);
  EXPECT_EQ(number, 16);
}

TEST(Server2Conversions, ConvertBetweenNumbersFlagsPointsAndBinaryTexts) {
  for (const auto& [text, value] :
       std::vector<std::pair<const char*, int>>{{"101", 5},
                                                {"1", 1},
                                                {"", 0},
                                                {"1x1", 5},
                                                {"0011", 3},
                                                {"11111111111111111111111111111111", -1},
                                                {"1000000000000000000000000000000001", 1}}) {
    EXPECT_EQ(TServer2::BinaryToInt(text), value) << text;
  }
  EXPECT_EQ(TServer2::BinaryToInt(nullptr), 0);
  for (const auto& [value, text] : std::vector<std::pair<int, const char*>>{
           {0, "0"}, {1, "1"}, {5, "101"}, {6, "110"}, {-1, "11111111111111111111111111111111"}}) {
    EXPECT_EQ(TServer2::IntToBinary(value), text) << value;
  }
  for (int value : {0, 1, 2, 12345, -7, 2147483647, -2147483647 - 1})
    EXPECT_EQ(TServer2::BinaryToInt(TServer2::IntToBinary(value).c_str()), value);
  for (const auto& [value, odd] : std::vector<std::pair<int, bool>>{{-3, false}, {3, true}, {0, false}, {4, false}})
    EXPECT_EQ(TServer2::OddNum(value), odd) << value;
  EXPECT_EQ(TServer2::IntToIPoint(-4, 9), (TPoint{-4, 9}));
  EXPECT_EQ(TServer2::BoolToInt(true), 1);
  EXPECT_EQ(TServer2::BoolToInt(false), 0);
  EXPECT_TRUE(TServer2::IntToBool(-8));
  EXPECT_FALSE(TServer2::IntToBool(0));
}

TEST_F(Server2, GetLocationNamesTheProgramFolder) {
  fs::create_directories(drive_.Host("Prog"));
  platform::SetProgramHostFolder(drive_.Host("Prog").string());
  server_.Server("get_location", true, false);
  EXPECT_EQ(server_.Location, "C:\\Prog\\");
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"Location: C:\\Prog\\"}));
}

TEST_F(Server2, ExecRunsAScriptInsideTheCall) {
  const std::string longLine = "ECHO " + std::string(120, 'x') + " tail";
  WriteFile(drive_.Host("Scripts\\run.txt"),
            "echo hidden\r\n"
            "tool one\n"
            "# not run\n"
            "\n" +
                longLine +
                "\n"
                "tool two\n");
  std::vector<std::string> hosted;
  server_.OnServerComm = [&](TObject*, std::string& message, bool& used) {
    hosted.push_back(server_.Words[1] + " " + server_.Words[2]);
    message = "host reply";
    used = true;
  };
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\Scripts"));
  server_.Server("EXEC run.txt", true, true);
  // The script's replies never reach the memo; a long line keeps its first
  // 99 characters and its tail runs as nothing.
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"Execing run.txt"}));
  EXPECT_EQ(hosted, (std::vector<std::string>{"TOOL one", "TOOL two"}));
  EXPECT_EQ(HistoryOf(server_),
            (std::vector<std::string>{"EXEC run.txt", "echo hidden", "tool one", longLine.substr(0, 99), "tool two"}));
  // The file ends with a line break: the last split met an empty line.
  EXPECT_EQ(server_.Words[1], "");

  // A last line without a break leaves its words; a script run without
  // remembering remembers none of its lines either.
  WriteFile(drive_.Host("Scripts\\last.txt"), "tool a\ntool b");
  server_.History->Clear();
  server_.Server("exec C:\\Scripts\\last.txt", true, false);
  EXPECT_EQ(server_.Words[1], "TOOL");
  EXPECT_EQ(server_.Words[2], "b");
  EXPECT_EQ(server_.History->Count(), 0);
  EXPECT_EQ(memo_.Lines()->Strings(0), "Execing C:\\Scripts\\last.txt");
}

TEST_F(Server2, ExecOfItsOwnFileStopsAtTheNestingBound) {
  WriteFile(drive_.Host("self.txt"), "tool\nEXEC C:\\self.txt\n");
  int runs = 0;
  server_.OnServerComm = [&](TObject*, std::string&, bool& used) {
    ++runs;
    used = true;
  };
  server_.Server("EXEC C:\\self.txt", true, false);
  EXPECT_EQ(runs, TServer2::kMaxExecDepth);
  EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"Execing C:\\self.txt"}));
  // The nesting is undone: the next run goes as deep again.
  server_.Server("EXEC C:\\self.txt", false, false);
  EXPECT_EQ(runs, 2 * TServer2::kMaxExecDepth);
}

// Scripts whose every line runs the script itself would run k^16 scripts
// inside one call: one budget of lines for the command ends them all.
TEST_F(Server2, SelfCallingScriptsStopWhenTheCommandsLinesRunOut) {
  for (int k : {2, 3, 4}) {
    SCOPED_TRACE(k);
    std::string script = "tool\n";
    for (int i = 0; i < k; ++i) script += "EXEC C:\\self.txt\n";
    WriteFile(drive_.Host("self.txt"), script);
    int runs = 0;
    server_.OnServerComm = [&](TObject*, std::string&, bool& used) {
      ++runs;
      used = true;
    };
    memo_.Lines()->Clear();
    server_.Server("EXEC C:\\self.txt", true, false);
    EXPECT_EQ(MemoLines(memo_), (std::vector<std::string>{"Exec nested too deeply: C:\\self.txt"}));
    EXPECT_GT(runs, 1000);
    EXPECT_LE(runs, TServer2::kMaxScriptLines);
    // The next command has a budget of its own.
    const int before = runs;
    server_.Server("EXEC C:\\self.txt", false, false);
    EXPECT_GT(runs, before + 1000);
  }
}

// A long flat script runs whole up to the budget; one line more and it stops
// there.
TEST_F(Server2, AScriptRunsUpToTheBudgetOfLines) {
  int runs = 0;
  server_.OnServerComm = [&](TObject*, std::string&, bool& used) {
    ++runs;
    used = true;
  };
  std::string lines;
  for (int i = 0; i < TServer2::kMaxScriptLines; ++i) lines += "tool\n";
  WriteFile(drive_.Host("full.txt"), lines.substr(0, lines.size() - 1));
  WriteFile(drive_.Host("over.txt"), lines + "tool");
  server_.Server("EXEC C:\\full.txt", true, false);
  EXPECT_EQ(runs, TServer2::kMaxScriptLines);
  EXPECT_EQ(memo_.Lines()->Strings(0), "Execing C:\\full.txt");
  runs = 0;
  server_.Server("EXEC C:\\over.txt", true, false);
  EXPECT_EQ(runs, TServer2::kMaxScriptLines);
  EXPECT_EQ(memo_.Lines()->Strings(0), "Exec nested too deeply: C:\\over.txt");
}

// Verbs and command names are ASCII words: the Turkish, Azeri and Lithuanian
// rules for "i" play no part in them.
void ExpectAsciiVerbs(TServer2& server, TMemo& memo, TestDrive& drive) {
  fs::create_directories(drive.Host("Prog"));
  platform::SetProgramHostFolder(drive.Host("Prog").string());
  std::vector<std::string> hosted;
  server.OnServerComm = [&](TObject*, std::string& message, bool& used) {
    hosted.push_back(server.Words[1]);
    used = server.Words[1] == "QUIT";
  };
  for (const char* line : {"get_location", "quit", "insert_it", "exec"}) server.Server(line, true, false);
  EXPECT_EQ(MemoLines(memo), (std::vector<std::string>{"Couldn't exec: ", "INSERT_ITis not a valid command", "",
                                                       "Location: C:\\Prog\\"}));
  EXPECT_EQ(hosted, (std::vector<std::string>{"QUIT", "INSERT_IT"}));
  const struct {
    const char* prefix;
    const char* name;
  } completions[] = {
      {"bi", "BIND"}, {"unbi", "UNBINDALL"}, {"qui", "QUIT"}, {"set_t", "SET_TOOL"}, {"\xC4\xB1", "\xC4\xB1"}};
  for (const auto& c : completions) EXPECT_EQ(server.SearchComm(c.prefix), c.name) << c.prefix;
}

TEST_F(Server2, VerbsAreAsciiWordsUnderEveryLocale) {
  ExpectAsciiVerbs(server_, memo_, drive_);
  EXPECT_TRUE(testing_support::RunChildTests("Server2.AsciiVerbsChild", {{"PELLIX_ASCII_CHILD", "tr_TR.UTF-8"}}))
      << "the child's tests failed";
}

// Runs only inside the child process of the case above, under Turkish rules.
TEST_F(Server2, AsciiVerbsChild) {
  const char* locale = std::getenv("PELLIX_ASCII_CHILD");
  if (locale == nullptr) GTEST_SKIP() << "runs in a child process of its own";
  // The case rules are read from the environment once, at their first use.
  setenv("LC_ALL", locale, 1);
  ASSERT_EQ(CharUpperA("i"), "\u0130");  // the locale's own rules are Turkish
  ExpectAsciiVerbs(server_, memo_, drive_);
}

}  // namespace
