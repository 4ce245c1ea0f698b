#include <gtest/gtest.h>

#include <filesystem>

#include "byteviewer/ByteViewer.h"
#include "platform/drives/DriveMap.h"
#include "platform/processes/CommandLine.h"
#include "tests/byteviewer/ScreenModel.h"
#include "tests/support/TempDrive.h"

namespace {

const std::string kPrompt = "\nPress any Key to continue";
const std::string kFinished = "Finished Press any key to continue";

std::string Lines(int count, const std::string& end = "\n") {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "L" + std::to_string(100 + i).substr(1) + end;
  return text;
}

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

int Count(const std::string& text, const std::string& piece) {
  int count = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

class ByteViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("byteviewer");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }

  void Make(const std::string& name, const std::string& content) { testing_support::WriteFile(root_ / name, content); }
  // Pages `content` as C:\f.bin, answering every page prompt with a blank.
  void Page(const std::string& content, int prompts) {
    Make("f.bin", content);
    for (int i = 0; i < prompts; ++i) screen_.keys.push_back(' ');
    viewer_.TargetFile = "C:\\f.bin";
    viewer_.PageFile();
  }
  void ExpectColours(int column, int row, int foreground, int background) {
    EXPECT_EQ(screen_.At(column, row).foreground, foreground) << "column " << column << " row " << row;
    EXPECT_EQ(screen_.At(column, row).background, background) << "column " << column << " row " << row;
  }

  std::filesystem::path root_;
  ScreenModel screen_;
  ByteViewer viewer_{screen_};
};

TEST_F(ByteViewerTest, CentringCountsEightyColumnsAndLeavesTheCursorForLongTexts) {
  struct Case {
    std::size_t length;
    int column;  // 0: the cursor stays
  } cases[] = {{0, 40}, {1, 39}, {17, 31}, {78, 1}, {79, 0}, {80, 0}, {100, 0}};
  for (const Case& c : cases) {
    ScreenModel screen;
    ByteViewer viewer(screen);
    screen.PlaceCursor(5, 7);
    viewer.PrintAt(-10, 3, std::string(c.length, 'x'), 4, 0);
    const int row = c.column ? 3 : 7;
    const int column = c.column ? c.column : 5;
    if (c.length == 0) {
      EXPECT_EQ(screen.CursorColumn(), 40);
      EXPECT_EQ(screen.CursorRow(), 3);
      continue;
    }
    EXPECT_EQ(screen.At(column, row).character, 'x') << c.length;
    EXPECT_EQ(screen.At(column, row).foreground, 4) << c.length;
    if (column > 1) {
      EXPECT_EQ(screen.At(column - 1, row).character, ' ') << c.length;
    }
  }
}

// Each file is paged with one blank per expected prompt; a missing or extra
// prompt shows as a wrong count.
TEST_F(ByteViewerTest, NineteenRowsMakeAPage) {
  const std::string row80(80, 'x');
  const std::string row200(200, 'x');
  struct Case {
    const char* what;
    std::string content;
    int prompts;
  } cases[] = {
      {"empty", "", 0},
      {"18 lines", Lines(18), 0},
      {"19 lines", Lines(19), 1},
      {"38 lines", Lines(38), 2},
      {"39 lines", Lines(39), 2},
      {"80 bytes then LF are two rows, 9 times and a line", Repeat(row80 + "\n", 9) + "y\n", 1},
      {"80 bytes then LF are two rows, 9 times and a part", Repeat(row80 + "\n", 9) + "y", 0},
      {"200 bytes then LF are three rows, 6 times and a line", Repeat(row200 + "\n", 6) + "y\n", 1},
      {"200 bytes then LF are three rows, 6 times", Repeat(row200 + "\n", 6), 0},
      {"19 rows of 80 bytes without LF", std::string(19 * 80, 'x'), 1},
      {"one byte short of 19 rows of 80", std::string(19 * 80 - 1, 'x'), 0},
      {"19 CR LF lines", Lines(19, "\r\n"), 1},
      {"18 CR LF lines", Lines(18, "\r\n"), 0},
      {"a CR alone ends no row", Lines(18) + "\r\r\r", 0},
  };
  for (const Case& c : cases) {
    screen_ = ScreenModel();
    Page(c.content, c.prompts);
    EXPECT_EQ(screen_.keysRead, c.prompts) << c.what;
    EXPECT_EQ(Count(screen_.standardOutput, kPrompt), c.prompts) << c.what;
    // Every byte of the file reaches standard output unchanged.
    std::string bytes = screen_.standardOutput;
    for (auto at = bytes.find(kPrompt); at != std::string::npos; at = bytes.find(kPrompt))
      bytes.erase(at, kPrompt.size());
    EXPECT_EQ(bytes, c.content) << c.what;
  }
}

TEST_F(ByteViewerTest, TwoHundredBytesShowAsThreeRows) {
  Page(std::string(200, 'x'), 0);
  EXPECT_EQ(screen_.Row(1), std::string(80, 'x'));
  EXPECT_EQ(screen_.Row(2), std::string(80, 'x'));
  EXPECT_EQ(screen_.Row(3), std::string(40, 'x'));
}

TEST_F(ByteViewerTest, ThePagePromptsRowIsDeletedAfterTheKey) {
  Page(Lines(21), 1);
  for (int row = 1; row <= 19; ++row) EXPECT_EQ(screen_.Row(row), Lines(row).substr(4 * (row - 1), 3));
  EXPECT_EQ(screen_.Row(20), "");
  EXPECT_EQ(screen_.Row(21), "L20");  // where the prompt stood
  EXPECT_EQ(screen_.Row(22), "L21");
  EXPECT_EQ(screen_.CursorRow(), 23);
  EXPECT_EQ(screen_.standardOutput, Lines(19) + kPrompt + Lines(21).substr(4 * 19));
}

TEST_F(ByteViewerTest, EscEndsThePaging) {
  Make("f.bin", Lines(60));
  screen_.keys = {27};
  viewer_.TargetFile = "C:\\f.bin";
  viewer_.PageFile();
  EXPECT_EQ(screen_.keysRead, 1);
  EXPECT_EQ(screen_.standardOutput, Lines(19) + kPrompt);
}

TEST_F(ByteViewerTest, AFunctionKeyPassesTwoPages) {
  Make("f.bin", Lines(60));
  screen_.keys = {0, 59, 27};  // F1, then Esc at the third prompt
  viewer_.TargetFile = "C:\\f.bin";
  viewer_.PageFile();
  EXPECT_EQ(Count(screen_.standardOutput, kPrompt), 3);
  EXPECT_NE(screen_.standardOutput.find("L57\n"), std::string::npos);
  EXPECT_EQ(screen_.standardOutput.find("L58"), std::string::npos);
}

TEST_F(ByteViewerTest, PagingClearsTheScreenInLightGreyOnBlack) {
  screen_.SetColours(14, 1);
  screen_.Write("old text");
  Page("", 0);
  EXPECT_EQ(screen_.Row(1), "");
  ExpectColours(1, 1, 7, 0);
  ExpectColours(80, 25, 7, 0);
  EXPECT_EQ(screen_.CursorRow(), 1);
}

TEST_F(ByteViewerTest, TheFileNameIsAskedInYellowAtTheTopLeft) {
  screen_.Write("old text");
  screen_.word = std::string(100, 'n');  // longer than a name field of 71: kept whole
  viewer_.AskFileName();
  EXPECT_EQ(screen_.Row(1), "Please Enter File Name:");
  ExpectColours(1, 1, 14, 0);
  ExpectColours(24, 1, 14, 0);
  EXPECT_EQ(screen_.CursorColumn(), 25);
  EXPECT_EQ(viewer_.TargetFile, std::string(100, 'n'));
}

TEST_F(ByteViewerTest, AnEmptyFileGivesTheClosingMessageTwoRowsBelow) {
  Make("empty.bin", "");
  screen_.keys = {' '};
  EXPECT_EQ(viewer_.Main({"Quorvin.exe", "C:\\empty.bin"}), 0);
  EXPECT_EQ(screen_.Row(1), "");
  EXPECT_EQ(screen_.Row(2), "");
  EXPECT_EQ(screen_.Row(3), kFinished);
  ExpectColours(1, 3, 14, 0);
  ExpectColours(1, 2, 7, 0);
  EXPECT_EQ(screen_.keysRead, 1);
}

TEST_F(ByteViewerTest, NineteenLinesGiveThePromptThenTheClosingMessage) {
  Make("f.bin", Lines(19));
  screen_.keys = {' ', ' '};
  EXPECT_EQ(viewer_.Main({"Quorvin.exe", "C:\\f.bin"}), 0);
  EXPECT_EQ(screen_.keysRead, 2);
  EXPECT_EQ(screen_.standardOutput, Lines(19) + kPrompt);
  EXPECT_EQ(screen_.Row(19), "L19");
  EXPECT_EQ(screen_.Row(21), "");
  EXPECT_EQ(screen_.Row(23), kFinished);
}

TEST_F(ByteViewerTest, ANameNotFoundIsShownCentredOnRowThreeInRed) {
  std::filesystem::create_directories(root_ / "sub");
  std::filesystem::create_directories(root_ / "My Files");
  Make("My Files/a.bin", "a");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"Quorvin.exe", "C:\\missing.bin"}, "Can't find file: C:\\missing.bin"},
      {{"Quorvin.exe", "C:\\sub"}, "Can't find file: C:\\sub"},
      {platform::SplitCommandLine("Quorvin.exe C:\\My Files\\a.bin"), "Can't find file: C:\\My"},
  };
  for (const Case& c : cases) {
    screen_ = ScreenModel();
    screen_.keys = {' '};
    EXPECT_EQ(viewer_.Main(c.arguments), 0);
    const int column = static_cast<int>(80 - c.message.size() - 1) / 2;
    EXPECT_EQ(screen_.Row(3), std::string(column - 1, ' ') + c.message);
    ExpectColours(column, 3, 4, 0);
    EXPECT_EQ(screen_.keysRead, 1) << c.message;
    EXPECT_TRUE(screen_.standardOutput.empty()) << c.message;
    for (int row = 1; row <= ScreenModel::kRows; ++row) EXPECT_EQ(screen_.Row(row).find("Finished"), std::string::npos);
  }
}

TEST_F(ByteViewerTest, AFileFoundButNotOpenedGivesCantOpenThenTheClosingMessage) {
  Make("a.bin", "a");
  screen_.keys = {' '};
  EXPECT_EQ(viewer_.Main({"Quorvin.exe", "C:\\a*.bin"}), 0);  // the search finds a.bin; no file has that name
  EXPECT_EQ(screen_.Row(3), std::string(31, ' ') + "Can't open file");
  ExpectColours(32, 3, 4, 0);
  EXPECT_EQ(screen_.Row(5), kFinished);
  EXPECT_EQ(screen_.keysRead, 1);
}

TEST_F(ByteViewerTest, LongNamesAreKeptWhole) {
  const std::string longName = std::string(100, 'n') + ".bin";
  Make(longName, "long");
  Make(longName.substr(0, 68), "short");  // what a 71-character field would hold after "C:\"
  screen_.keys = {' '};
  viewer_.Main({"Quorvin.exe", "C:\\" + longName});
  EXPECT_EQ(screen_.standardOutput, "long");

  screen_ = ScreenModel();
  screen_.keys = {' '};
  viewer_.Main({"Quorvin.exe", "C:\\" + longName + "x"});
  // Too long to centre: written whole where the cursor stands.
  const std::string message = "Can't find file: C:\\" + longName + "x";
  EXPECT_EQ(screen_.Row(1) + screen_.Row(2), message);
}

TEST_F(ByteViewerTest, WithoutAnArgumentTheTypedNameIsPaged) {
  Make("f.bin", "abc");
  screen_.word = "C:\\f.bin";
  screen_.keys = {' '};
  EXPECT_EQ(viewer_.Main({"Quorvin.exe"}), 0);
  EXPECT_EQ(screen_.standardOutput, "abc");
  EXPECT_EQ(screen_.Row(3), kFinished);
}

}  // namespace
