#include <gtest/gtest.h>

#include <memory>

#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/Label.h"
#include "framework/core/Clipboard.h"
#include "framework/core/StringList.h"
#include "framework/listview/ListItems.h"
#include "tests/components/ComponentTestSupport.h"

using namespace component_test;

namespace {

class FileListOps : public ::testing::Test {
 protected:
  FileListOps() : drive_("fileops") {
    WriteFile(drive_.Host("RegInfo.ini"), "PX41\r\n.TXT; Text; -; 0; 3;\r\n");
    table_.FileName = "C:\\RegInfo.ini";
    table_.Init();
    list_.Extension = &table_;
    list_.FilesLabel = &label_;
    list_.Init();
  }

  // Writes the files into C:\Data and reads it.
  void Show(std::initializer_list<const char*> names, const std::string& folder = "C:\\Data\\") {
    for (const char* name : names) WriteFile(drive_.Host("Data/" + std::string(name)), name);
    fs::create_directories(drive_.Host("Data"));
    list_.SetDirectory(folder);
  }
  TListItem* Item(const std::string& caption) const {
    for (int n = 0; n < list_.Items()->Count(); ++n)
      if (list_.Items()->Item(n)->Caption() == caption) return list_.Items()->Item(n);
    return nullptr;
  }
  void Select(std::initializer_list<const char*> names) {
    for (const char* name : names) Item(name)->SetSelected(true);
  }
  std::string Captions() const {
    std::string text;
    for (int n = 0; n < list_.Items()->Count(); ++n) text += (n == 0 ? "" : " | ") + list_.Items()->Item(n)->Caption();
    return text;
  }
  static void Put(const std::string& text) { Clipboard()->SetAsText(text); }

  TestDrive drive_;
  TExtension table_{nullptr};
  TLabel label_{nullptr};
  TFileList list_{nullptr};
};

TEST_F(FileListOps, CopyWritesTheClipboardTextByteForByte) {
  Show({"a.txt", "b.txt", "c.txt"});
  Select({"b.txt", "a.txt"});
  std::unique_ptr<TStringList> names(list_.FindSelectedFiles());
  EXPECT_EQ(names->Text(), "a.txt\r\nb.txt\r\n");
  list_.CopyFiles(false);
  EXPECT_EQ(Clipboard()->AsText(), "PX4\nC:\\Data\\\n0\na.txt\r\nb.txt\r\n");
  EXPECT_FALSE(Item("a.txt")->Cut());

  list_.SetSelected(nullptr);
  names.reset(list_.FindSelectedFiles());
  EXPECT_EQ(names->Count(), 0);
  Put("kept");
  list_.CopyFiles(true);  // nothing selected: the clipboard keeps its text
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  EXPECT_TRUE(drive_.boxes.Shown().empty());
}

TEST_F(FileListOps, CutMarksOnlyTheSelectionAndTheMarksLastUntilTheNextRead) {
  Show({"a.txt", "b.txt", "c.txt"}, "C:\\Data");
  Select({"a.txt", "c.txt"});
  list_.CopyFiles(true);
  EXPECT_EQ(Clipboard()->AsText(), "PX4\nC:\\Data\n1\na.txt\r\nc.txt\r\n");
  EXPECT_TRUE(Item("a.txt")->Cut());
  EXPECT_FALSE(Item("b.txt")->Cut());
  EXPECT_TRUE(Item("c.txt")->Cut());
  list_.SetSelected(Item("b.txt"));
  list_.CopyFiles(false);
  EXPECT_EQ(Clipboard()->AsText(), "PX4\nC:\\Data\n0\nb.txt\r\n");
  EXPECT_TRUE(Item("a.txt")->Cut());
  EXPECT_FALSE(Item("b.txt")->Cut());
  list_.Refresh_List();
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) EXPECT_FALSE(Item(name)->Cut()) << name;
}

TEST_F(FileListOps, TextsThatAreNotOursAreIgnoredWithoutAMessageOrARead) {
  WriteFile(drive_.Host("Src/x.txt"), "x");
  Show({"a.txt"});
  WriteFile(drive_.Host("Data/later.txt"));
  const char* texts[] = {
      "px4\nC:\\Src\\\n0\nx.txt\r\n", "PX4 \nC:\\Src\\\n0\nx.txt\r\n", "PX4\nC:\\Src\\\n", "hello world", "",
  };
  for (const char* text : texts) {
    Put(text);
    list_.PasteFiles();
  }
  Clipboard()->Clear();
  list_.PasteFiles();
  EXPECT_TRUE(drive_.boxes.Shown().empty());
  EXPECT_EQ(Names(drive_.Host("Data")), "a.txt | later.txt");
  EXPECT_EQ(Captions(), "a.txt");
}

TEST_F(FileListOps, LineThreeChoosesMoveOrCopyAndLineEndsMayBeLfOrCrLf) {
  struct Case {
    const char* text;
    bool moves;
  };
  const Case cases[] = {
      {"PX4\r\nC:\\Src\r\n0\r\nx.txt\r\n", false}, {"PX4\nC:\\Src\\\n0\nx.txt\n", false},
      {"PX4\nC:\\Src\\\n1\nx.txt", true},          {"PX4\nC:\\Src\\\n2\nx.txt\r\n", true},
      {"PX4\nC:\\Src\\\n-1\nx.txt\r\n", true},     {"PX4\nC:\\Src\\\nabc\nx.txt\r\n", false},
      {"PX4\nC:\\Src\\\n  +7z\nx.txt\r\n", true},  {"PX4\nC:\\Src\\\n-000\nx.txt\r\n", false},
  };
  Show({});
  for (const Case& c : cases) {
    fs::remove_all(drive_.Host("Src"));
    fs::remove_all(drive_.Host("Data"));
    fs::create_directories(drive_.Host("Data"));
    WriteFile(drive_.Host("Src/x.txt"), "payload");
    Put(c.text);
    list_.PasteFiles();
    EXPECT_EQ(ReadFile(drive_.Host("Data/x.txt")), "payload") << c.text;
    EXPECT_EQ(fs::exists(drive_.Host("Src/x.txt")), !c.moves) << c.text;
    EXPECT_EQ(Captions(), "x.txt") << c.text;  // read again
  }
  EXPECT_TRUE(drive_.boxes.Shown().empty());
}

TEST_F(FileListOps, PastingIntoTheSourceFolderMakesCopiesUnderNewNames) {
  Show({"a.txt"});
  Select({"a.txt"});
  list_.CopyFiles(false);
  list_.PasteFiles();
  list_.PasteFiles();
  EXPECT_EQ(Names(drive_.Host("Data")), "a (copy 1).txt | a (copy 2).txt | a.txt");
  EXPECT_EQ(ReadFile(drive_.Host("Data/a (copy 2).txt")), "a.txt");
  EXPECT_EQ(ReadFile(drive_.Host("Data/a.txt")), "a.txt");
  // A cut pasted into its own folder leaves the file as it is.
  Select({"a.txt"});
  list_.CopyFiles(true);
  list_.PasteFiles();
  EXPECT_EQ(ReadFile(drive_.Host("Data/a.txt")), "a.txt");
  EXPECT_TRUE(drive_.boxes.Shown().empty());
  EXPECT_EQ(list_.Items()->Count(), 3);
}

TEST_F(FileListOps, ThreeLinesPasteTheFolderItself) {
  WriteFile(drive_.Host("Src/inner/deep.txt"), "deep");
  Show({"a.txt"});
  Put("PX4\nC:\\Src\n0\n");
  list_.PasteFiles();
  EXPECT_EQ(ReadFile(drive_.Host("Data/Src/inner/deep.txt")), "deep");
  EXPECT_TRUE(fs::exists(drive_.Host("Src/inner/deep.txt")));
  EXPECT_TRUE(drive_.boxes.Shown().empty());
  Put("PX4\nC:\\Missing\n1\n");
  list_.PasteFiles();
  EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Unable to copy Directory: C:\\Missing\\"});
  // A folder pasted into itself is refused.
  drive_.boxes.Clear();
  Put("PX4\nC:\\Data\\\n0\n");
  list_.PasteFiles();
  EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Unable to copy Directory: C:\\Data\\"});
}

TEST_F(FileListOps, AFileThatCannotBePastedIsReportedAndTheOthersStillGo) {
  WriteFile(drive_.Host("Src/one.txt"), "1");
  WriteFile(drive_.Host("Src/two.txt"), "2");
  Show({});
  Put("PX4\nC:\\Src\\\n1\none.txt\r\nmissing.txt\r\ntwo.txt\r\n");
  list_.PasteFiles();
  EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Can't copy file: C:\\Src\\missing.txt"});
  EXPECT_EQ(drive_.boxes.Shown()[0].Flags & MB_TYPEMASK, MB_OK);
  EXPECT_EQ(Names(drive_.Host("Data")), "one.txt | two.txt");
  EXPECT_EQ(Names(drive_.Host("Src")), "");
}

// A folder line that cannot name the folder the names came from moves
// nothing: a NUL in it would end the shell's path list early and name the
// folder itself.
TEST_F(FileListOps, AFolderLineThatIsNoFullDrivePathPastesNothing) {
  WriteFile(drive_.Host("Src/name"), "file");
  WriteFile(drive_.Host("Src/inner/deep.txt"), "deep");
  Show({});
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {std::string("PX4\nC:\\Src\0\0\n1\nname\r\n", 21), "Can't copy file: C:\\Src"},
      {std::string("PX4\nC:\\Src\0\0\n1\n", 15), "Can't copy file: C:\\Src"},
      {"PX4\nC:\\Src\t\n0\nname\r\n", "Can't copy file: C:\\Src"},
      {"PX4\nSrc\n1\nname\r\n", "Can't copy file: Src"},
      {"PX4\n\\Src\n1\nname\r\n", "Can't copy file: \\Src"},
      {"PX4\nC:Src\n1\nname\r\n", "Can't copy file: C:Src"},
      {"PX4\n\n1\nname\r\n", "Can't copy file: "},
      {"PX4\nC:\\Nowhere\n1\nname\r\n", "Can't copy file: C:\\Nowhere\\name"},
      {"PX4\nQ:\\Src\n1\nname\r\n", "Can't copy file: Q:\\Src\\name"},
  };
  for (const auto& c : cases) {
    drive_.boxes.Clear();
    Put(c.text);
    list_.PasteFiles();
    EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{c.message}) << c.message;
    EXPECT_EQ(Names(drive_.Host("Data")), "") << c.message;
    EXPECT_EQ(Names(drive_.Host("Src")), "inner | name") << c.message;
  }
}

// A clipboard text from another program names only entries of its folders.
TEST_F(FileListOps, NamesWithPathsNeverReachOutsideTheTwoFolders) {
  WriteFile(drive_.Host("Outside/o.txt"), "outside");
  WriteFile(drive_.Host("Src/sub/s.txt"), "sub");
  WriteFile(drive_.Host("Src/good.txt"), "good");
  WriteFile(drive_.Host("victim.txt"), "victim");
  Show({});
  const std::string hostOutside = drive_.Host("Outside/o.txt").string();
  for (const char* verb : {"1", "0"}) {
    drive_.boxes.Clear();
    Put(std::string("PX4\nC:\\Src\\\n") + verb +
        "\n..\r\n.\r\n..\\victim.txt\r\n../victim.txt\r\nsub\\s.txt\r\nsub/s.txt\r\n" + "C:\\Outside\\o.txt\r\n" +
        hostOutside + "\r\n\r\ngood.txt\r\n");
    list_.PasteFiles();
    const std::vector<std::string> expected = {
        "Can't copy file: C:\\Src\\..",
        "Can't copy file: C:\\Src\\.",
        "Can't copy file: C:\\Src\\..\\victim.txt",
        "Can't copy file: C:\\Src\\../victim.txt",
        "Can't copy file: C:\\Src\\sub\\s.txt",
        "Can't copy file: C:\\Src\\sub/s.txt",
        "Can't copy file: C:\\Src\\C:\\Outside\\o.txt",
        "Can't copy file: C:\\Src\\" + hostOutside,
    };
    EXPECT_EQ(drive_.boxes.Texts(), expected) << verb;
    EXPECT_EQ(ReadFile(drive_.Host("victim.txt")), "victim");
    EXPECT_EQ(ReadFile(drive_.Host("Outside/o.txt")), "outside");
    EXPECT_EQ(ReadFile(drive_.Host("Src/sub/s.txt")), "sub");
    if (*verb == '1') {
      EXPECT_EQ(Names(drive_.Host("Data")), "good.txt");
      WriteFile(drive_.Host("Src/good.txt"), "good");
    }
  }
  EXPECT_EQ(Names(drive_.Root()), "Data | Outside | RegInfo.ini | Src | victim.txt");
  EXPECT_EQ(Names(drive_.Host("Data")), "good (copy 1).txt | good.txt");
}

TEST_F(FileListOps, NamesTheClipboardTextCannotCarryAreLeftOutOfIt) {
  // Overlong forms and encoded surrogates are no UTF-8 either.
  Show({"a.txt", "bad\nname.txt", "cr\rname.txt", "\xff\xfe.txt", "o\xE0\x80\xAEtxt", "\xED\xA0\x80.txt"});
  ASSERT_EQ(list_.Items()->Count(), 6);
  Select({"a.txt", "bad\nname.txt", "cr\rname.txt", "\xff\xfe.txt", "o\xE0\x80\xAEtxt", "\xED\xA0\x80.txt"});
  list_.CopyFiles(true);
  EXPECT_EQ(Clipboard()->AsText(), "PX4\nC:\\Data\\\n1\na.txt\r\n");
  EXPECT_EQ(drive_.boxes.Texts(),
            (std::vector<std::string>{
                "Can't copy file: C:\\Data\\bad\nname.txt", "Can't copy file: C:\\Data\\cr\rname.txt",
                "Can't copy file: C:\\Data\\o\xE0\x80\xAEtxt", "Can't copy file: C:\\Data\\\xff\xfe.txt",
                "Can't copy file: C:\\Data\\\xED\xA0\x80.txt"}));
  EXPECT_TRUE(Item("a.txt")->Cut());
  EXPECT_FALSE(Item("bad\nname.txt")->Cut());
  // A selection of such names alone writes nothing: three lines would mean the folder.
  Put("kept");
  list_.SetSelected(Item("bad\nname.txt"));
  list_.CopyFiles(true);
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  EXPECT_FALSE(Item("bad\nname.txt")->Cut());
}

TEST_F(FileListOps, DeleteAsksByTheCountAndNoChangesNothing) {
  struct Case {
    bool permanently;
    std::vector<const char*> selected;
    const char* question;
  };
  const Case cases[] = {
      {true, {"a.txt"}, "Delete this 1 File?"},
      {false, {"a.txt"}, "Recycle this 1 File?"},
      {false, {"a.txt", "b.txt", "c.txt"}, "Recycle these 3 Files?"},
      {true, {"b.txt", "c.txt"}, "Delete these 2 Files?"},
  };
  Show({"a.txt", "b.txt", "c.txt"});
  for (const Case& c : cases) {
    drive_.boxes.Clear();
    list_.SetSelected(nullptr);
    for (const char* name : c.selected) Item(name)->SetSelected(true);
    drive_.boxes.Script({IDNO});
    list_.DeleteFiles(c.permanently);
    ASSERT_EQ(drive_.boxes.Shown().size(), 1u);
    EXPECT_EQ(drive_.boxes.Shown()[0].Text, c.question);
    EXPECT_EQ(drive_.boxes.Shown()[0].Caption, "Confirm File Delete");
    EXPECT_EQ(drive_.boxes.Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
  }
  EXPECT_EQ(Names(drive_.Host("Data")), "a.txt | b.txt | c.txt");
  EXPECT_EQ(list_.Items()->Count(), 3);
}

TEST_F(FileListOps, DeletedItemsLeaveTheListWhileTheCountLabelKeepsItsCount) {
  Show({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
  Select({"b.txt", "d.txt"});
  drive_.boxes.Script({IDYES});
  list_.DeleteFiles(true);
  EXPECT_EQ(Captions(), "a.txt | c.txt | e.txt");
  EXPECT_EQ(label_.Caption(), "5 Files");
  EXPECT_EQ(list_.FileCount, 5);
  EXPECT_EQ(Names(drive_.Host("Data")), "a.txt | c.txt | e.txt");

  // Recycling puts them in the user's trash, where other programs find them.
  Select({"a.txt", "e.txt"});
  drive_.boxes.Script({IDYES});
  list_.DeleteFiles(false);
  EXPECT_EQ(Captions(), "c.txt");
  const fs::path trash = fs::path(std::getenv("XDG_DATA_HOME")) / "Trash";
  EXPECT_TRUE(fs::exists(trash / "files" / "a.txt"));
  EXPECT_TRUE(fs::exists(trash / "info" / "e.txt.trashinfo"));
  EXPECT_EQ(drive_.boxes.Shown().size(), 2u);
}

TEST_F(FileListOps, AFileThatCannotBeDeletedIsReportedAndStays) {
  Show({"a.txt", "gone.txt", "c.txt"});
  fs::remove(drive_.Host("Data/gone.txt"));
  Select({"a.txt", "gone.txt", "c.txt"});
  drive_.boxes.Script({IDYES});
  list_.DeleteFiles(true);
  ASSERT_EQ(drive_.boxes.Shown().size(), 2u);
  EXPECT_EQ(drive_.boxes.Shown()[1].Text, "Unable to delete file gone.txt!");
  EXPECT_EQ(drive_.boxes.Shown()[1].Caption, "Error");
  EXPECT_EQ(drive_.boxes.Shown()[1].Flags, MB_OK | MB_ICONERROR);
  EXPECT_EQ(Captions(), "gone.txt");
}

TEST_F(FileListOps, NothingSelectedAsksAboutTheListedFolder) {
  Show({"a.txt"});
  drive_.boxes.Script({IDNO});
  list_.DeleteFiles(false);
  ASSERT_EQ(drive_.boxes.Shown().size(), 1u);
  EXPECT_EQ(drive_.boxes.Shown()[0].Text, "Recycle Directory C:\\Data?");
  EXPECT_EQ(drive_.boxes.Shown()[0].Caption, "Confirm Directory Delete");
  // No is the default: one Enter after a slip of the selection keeps the folder.
  EXPECT_EQ(drive_.boxes.Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  EXPECT_TRUE(fs::exists(drive_.Host("Data/a.txt")));

  drive_.boxes.Clear();
  drive_.boxes.Script({IDYES});
  list_.DeleteFiles(true);
  EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Delete Directory C:\\Data?"});
  EXPECT_EQ(drive_.boxes.Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  EXPECT_FALSE(fs::exists(drive_.Host("Data")));
  EXPECT_EQ(Captions(), "a.txt");  // not read again

  // A drive's root is never deleted.
  list_.SetDirectory("C:\\");
  drive_.boxes.Clear();
  drive_.boxes.Script({IDYES});
  list_.DeleteFiles(true);
  EXPECT_EQ(drive_.boxes.Texts(), (std::vector<std::string>{"Delete Directory C:?", "Unable to delete direcotry C:!"}));
  EXPECT_EQ(drive_.boxes.Shown()[1].Caption, "Error");
  EXPECT_TRUE(fs::exists(drive_.Host("RegInfo.ini")));
}

TEST_F(FileListOps, AMoveFromASmallTmpfsToTheDiskArrivesWhole) {
  SmallTmpfs small(drive_.Host("Small"), 4 << 20);
  if (!small.Mounted()) GTEST_SKIP() << "may not mount a tmpfs here";
  std::string payload(3 << 20, '\0');
  for (std::size_t n = 0; n < payload.size(); ++n) payload[n] = static_cast<char>(n * 131 % 251);
  WriteFile(drive_.Host("Small/m.bin"), payload);
  Show({});
  Put("PX4\nC:\\Small\\\n1\nm.bin\r\n");
  list_.PasteFiles();
  EXPECT_TRUE(drive_.boxes.Shown().empty());
  EXPECT_EQ(ReadFile(drive_.Host("Data/m.bin")), payload);
  EXPECT_FALSE(fs::exists(drive_.Host("Small/m.bin")));
  EXPECT_EQ(Captions(), "m.bin");
}

TEST_F(FileListOps, ACopyOrMoveIntoAFullTmpfsLeavesTheSourceAndNoHalfFile) {
  WriteFile(drive_.Host("Data/big.bin"), std::string(1 << 20, 'b'));
  WriteFile(drive_.Host("Data/fits.txt"), "fits");
  SmallTmpfs full(drive_.Host("Full"), 256 << 10);
  if (!full.Mounted()) GTEST_SKIP() << "may not mount a tmpfs here";
  list_.SetDirectory("C:\\Full");
  for (const char* verb : {"0", "1"}) {
    drive_.boxes.Clear();
    Put(std::string("PX4\nC:\\Data\\\n") + verb + "\nbig.bin\r\nfits.txt\r\n");
    list_.PasteFiles();
    EXPECT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Can't copy file: C:\\Data\\big.bin"}) << verb;
    EXPECT_EQ(ReadFile(drive_.Host("Data/big.bin")), std::string(1 << 20, 'b')) << verb;
    EXPECT_EQ(Names(drive_.Host("Full")), "fits.txt") << verb;
    fs::remove(drive_.Host("Full/fits.txt"));
    if (*verb == '1') {
      EXPECT_FALSE(fs::exists(drive_.Host("Data/fits.txt")));
      WriteFile(drive_.Host("Data/fits.txt"), "fits");
    }
  }
}

}  // namespace
