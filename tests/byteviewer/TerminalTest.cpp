#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "platform/console/CodePage437.h"
#include "tests/byteviewer/VirtualTerminal.h"
#include "tests/support/PrivateHome.h"

namespace {

const std::string kProgram = std::string(PELLIX_PROGRAM_DIR) + "/Quorvin.exe";
const std::string kPagePrompt = "Press any Key to continue";
const std::string kFinished = "Finished Press any key to continue";
// Palette indices the terminal shows for the console colours.
constexpr int kTerminalBlack = 0;
constexpr int kTerminalRed = 1;
constexpr int kTerminalYellow = 11;
constexpr int kDefault = -1;

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "L" + std::to_string(100 + i).substr(1) + "\n";
  return text;
}

// The byte viewer run in a terminal of 80 by 30 on files of a folder of its own.
class TerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(testing_support::PrivateHome()) / "terminal";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  std::string Make(const std::string& name, const std::string& content) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  bool Shows(const std::string& text) const { return terminal_.Screen().find(text) != std::string::npos; }

  std::filesystem::path folder_;
  VirtualTerminal terminal_{80, 30};
};

TEST_F(TerminalTest, PagesInColoursAndDeletesThePromptsRow) {
  terminal_.Start({kProgram, Make("lines.txt", Lines(21))});
  ASSERT_TRUE(terminal_.WaitForText(kPagePrompt)) << terminal_.Screen();
  EXPECT_EQ(terminal_.Row(1), "L01");
  EXPECT_EQ(terminal_.Row(19), "L19");
  EXPECT_EQ(terminal_.Row(20), "");
  EXPECT_EQ(terminal_.Row(21), kPagePrompt);
  // Standard output in the terminal's own colours on a screen cleared in
  // light grey on black.
  EXPECT_EQ(terminal_.Foreground(1, 1), kDefault);
  EXPECT_EQ(terminal_.Background(40, 10), kTerminalBlack);
  EXPECT_EQ(terminal_.Background(80, 30), kTerminalBlack);

  terminal_.Type(" ");
  ASSERT_TRUE(terminal_.WaitForText(kFinished)) << terminal_.Screen();
  EXPECT_FALSE(Shows(kPagePrompt)) << terminal_.Screen();
  EXPECT_EQ(terminal_.Row(21), "L20");
  EXPECT_EQ(terminal_.Row(22), "L21");
  EXPECT_EQ(terminal_.Row(23), "");
  EXPECT_EQ(terminal_.Row(24), "");
  EXPECT_EQ(terminal_.Row(25), kFinished);  // two rows below where the paging stopped
  EXPECT_EQ(terminal_.Foreground(1, 25), kTerminalYellow);
  EXPECT_EQ(terminal_.Background(1, 25), kTerminalBlack);
  terminal_.Type("x");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
}

TEST_F(TerminalTest, ANameNotFoundIsCentredOnRowThreeInRed) {
  const std::string name = (folder_ / "missing.bin").string();
  terminal_.Start({kProgram, name});
  const std::string message = "Can't find file: " + name;
  ASSERT_TRUE(terminal_.WaitForText(message)) << terminal_.Screen();
  const int column = static_cast<int>(80 - message.size() - 1) / 2;
  EXPECT_EQ(terminal_.Row(3), std::string(column - 1, ' ') + message);
  EXPECT_EQ(terminal_.Foreground(column, 3), kTerminalRed);
  EXPECT_EQ(terminal_.Background(column, 3), kTerminalBlack);
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
  EXPECT_FALSE(Shows("Finished"));
}

TEST_F(TerminalTest, EscEndsThePaging) {
  terminal_.Start({kProgram, Make("lines.txt", Lines(60))});
  ASSERT_TRUE(terminal_.WaitForText(kPagePrompt)) << terminal_.Screen();
  terminal_.Type("\x1b");
  ASSERT_TRUE(terminal_.WaitForText(kFinished)) << terminal_.Screen();
  EXPECT_FALSE(Shows("L20"));
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
}

// A key without a character gives two codes, each answering one wait.
TEST_F(TerminalTest, FunctionAndArrowKeysAnswerTwoPrompts) {
  terminal_.Start({kProgram, Make("lines.txt", Lines(60))});
  ASSERT_TRUE(terminal_.WaitForText(kPagePrompt)) << terminal_.Screen();
  terminal_.Type("\x1bOP");  // F1: the prompts after pages one and two
  ASSERT_TRUE(terminal_.WaitForText("L57")) << terminal_.Screen();
  terminal_.Settle(300);
  EXPECT_TRUE(Shows(kPagePrompt));
  EXPECT_FALSE(Shows("L58")) << terminal_.Screen();
  terminal_.Type("\x1b[A");  // Up: the third prompt and the closing message
  EXPECT_EQ(terminal_.WaitForExit(), 0);
  EXPECT_TRUE(Shows("L60"));
  EXPECT_TRUE(Shows(kFinished));
}

TEST_F(TerminalTest, CrLfLinesAndControlBytesShowWithoutDrivingTheTerminal) {
  terminal_.Start({kProgram, Make("crlf.txt", "a\r\nb\x1b[31mc\r\n\x1b[2J")});
  ASSERT_TRUE(terminal_.WaitForText(kFinished)) << terminal_.Screen();
  EXPECT_EQ(terminal_.Row(1), "a");
  EXPECT_EQ(terminal_.Row(2), "b←[31mc");
  EXPECT_EQ(terminal_.Row(3), "←[2J");
  EXPECT_EQ(terminal_.Foreground(7, 2), kDefault);
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
}

TEST_F(TerminalTest, WithoutAnArgumentTheNameIsAskedInYellow) {
  const std::string name = Make("abc.txt", "abc\n");
  terminal_.Start({kProgram});
  ASSERT_TRUE(terminal_.WaitForText("Please Enter File Name:")) << terminal_.Screen();
  EXPECT_EQ(terminal_.Row(1), "Please Enter File Name:");
  EXPECT_EQ(terminal_.Foreground(1, 1), kTerminalYellow);
  EXPECT_EQ(terminal_.Background(1, 1), kTerminalBlack);
  EXPECT_EQ(terminal_.CursorColumn(), 25);
  terminal_.Type(name + "\r");
  ASSERT_TRUE(terminal_.WaitForText(kFinished)) << terminal_.Screen();
  EXPECT_EQ(terminal_.Row(1), "abc");
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
}

// A pipe never holds the viewer before its first screen: what a writer sends
// is paged as it arrives, the writer's end ends the paging, and Esc ends any
// wait. A folder is not found.
TEST_F(TerminalTest, PipesAndFoldersNeverHoldTheViewer) {
  enum class Writer { None, Silent, SendsAndStays, SendsAndEnds };
  struct Case {
    const char* what;
    bool folder;
    Writer writer;
    const char* shown;  // text that must appear before any key
    bool needsEsc;      // the paging waits until Esc
  } cases[] = {
      {"pipe without a writer", false, Writer::None, "", true},
      {"pipe with a silent writer", false, Writer::Silent, "", true},
      {"pipe with a writer that stays", false, Writer::SendsAndStays, "from the pipe", true},
      {"pipe whose writer ends", false, Writer::SendsAndEnds, "from the pipe", false},
      {"folder", true, Writer::None, "Can't find file: ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto path = folder_ / "pipe";
    std::filesystem::remove_all(path);
    if (c.folder) {
      std::filesystem::create_directories(path);
    } else {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    VirtualTerminal terminal(80, 30);
    terminal.Start({kProgram, path.string()});
    int writer = -1;
    if (c.writer != Writer::None) {
      // Read and write, so that the test's open does not wait for the viewer.
      writer = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
      ASSERT_GE(writer, 0);
    }
    // The cleared screen comes first whatever the writer does.
    if (!c.folder) {
      ASSERT_TRUE(terminal.WaitUntil([&] { return terminal.Background(80, 30) == kTerminalBlack; }))
          << terminal.Screen();
    }
    if (c.writer == Writer::SendsAndStays || c.writer == Writer::SendsAndEnds) {
      // The viewer opens the pipe just after clearing: a pipe whose every end
      // is closed loses its bytes.
      terminal.Settle(200);
      ASSERT_EQ(::write(writer, "from the pipe\n", 14), 14);
    }
    if (c.writer == Writer::SendsAndEnds) {
      ::close(writer);
      writer = -1;
    }
    ASSERT_TRUE(terminal.WaitForText(c.shown)) << terminal.Screen();
    if (c.needsEsc) {
      terminal.Settle(200);
      EXPECT_EQ(terminal.Screen().find("Finished"), std::string::npos) << terminal.Screen();
      terminal.Type("\x1b");
    }
    if (!c.folder) {
      EXPECT_TRUE(terminal.WaitForText(kFinished)) << terminal.Screen();
    }
    terminal.Type(" ");
    EXPECT_EQ(terminal.WaitForExit(), 0);
    if (writer >= 0) ::close(writer);
  }
}

// A binary page of 1,520 bytes without a line break fills 19 rows of 80
// cells: each byte is one code page 437 glyph, bytes from 128 up included.
TEST_F(TerminalTest, EveryByteOfABinaryTakesOneCell) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b != '\a' && b != '\b' && b != '\t' && b != '\n' && b != '\r') bytes += static_cast<char>(b);
  }
  std::string content;
  while (content.size() < 1520) content += bytes;
  content.resize(1520);
  terminal_.Start({kProgram, Make("binary.bin", content + "tail")});
  ASSERT_TRUE(terminal_.WaitForText(kPagePrompt)) << terminal_.Screen();
  for (int row = 1; row <= 19; ++row) {
    std::string expected;
    for (int column = 0; column < 80; ++column) {
      expected += platform::CodePage437Glyph(static_cast<unsigned char>(content[(row - 1) * 80 + column]));
    }
    EXPECT_EQ(terminal_.Row(row), expected.substr(0, expected.find_last_not_of(' ') + 1)) << "row " << row;
  }
  EXPECT_EQ(terminal_.Row(20), kPagePrompt);
  const std::string screen = terminal_.Screen();
  for (const char* glyph : {"░", "█", "ß", "Ç", "☺", "←"}) EXPECT_NE(screen.find(glyph), std::string::npos) << glyph;
  terminal_.Type("\x1b");
  ASSERT_TRUE(terminal_.WaitForText(kFinished)) << terminal_.Screen();
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
}

// Redirected, standard output gets the file's bytes as they are.
TEST_F(TerminalTest, RedirectedOutputKeepsEveryByte) {
  std::string content;
  for (int b = 0; b < 256; ++b) content += static_cast<char>(b);
  const std::string out = (folder_ / "out.bin").string();
  terminal_.Start({"/bin/sh", "-c", "exec \"$0\" \"$1\" > \"$2\"", kProgram, Make("all.bin", content), out});
  terminal_.Settle(300);
  terminal_.Type(" ");
  EXPECT_EQ(terminal_.WaitForExit(), 0);
  std::ifstream in(out, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, content);
}

}  // namespace
