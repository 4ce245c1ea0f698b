// The two walks of the program, the search and the properties' folder walk,
// on a drive full of links: a link to the drive's own root, one to "/", a
// loop of links and links to files and folders whose names match. Both walk
// as find -P and du do: a link is an entry of its own and never entered, and
// each folder is walked once. Their results are checked against what find
// and du give for the same folder.

#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/Search_Form.h"
#include "components/FileList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/core/StringList.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"
#include "framework/listview/SubItems.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

using testing_support::ScriptedMessageBoxes;

// What a shell command prints.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

std::set<std::string> Lines(const std::string& text) {
  std::set<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.insert(text.substr(start, end - start));
  return lines;
}

// Sums every line, duplicates included.
long double SumAll(const std::string& numbers) {
  long double sum = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = numbers.find('\n', start)) != std::string::npos; start = end + 1)
    if (end > start) sum += std::stold(numbers.substr(start, end - start));
  return sum;
}

class WalkLinksTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    top_ = drive_ / "Top";
    WriteFile(top_ / "one5.txt", "12345");
    WriteFile(top_ / "Sub" / "two5.txt", "1234567890");
    WriteFile(top_ / "Sub" / "Deeper" / "three5.txt", std::string(1000, 'x'));
    WriteFile(top_ / "Sub" / "Deeper" / "other.dat", "xyz");
    WriteFile(top_ / ".hidden5.txt", "h");
    fs::create_directories(top_ / "Loop");
    fs::create_directories(top_ / "Empty");
    fs::create_directory_symlink(drive_, top_ / "Sub" / "root5.txt");  // the drive's own root
    fs::create_directory_symlink("/", top_ / "slash5.txt");            // the whole disk
    fs::create_directory_symlink("..", top_ / "Loop" / "a");           // a loop of links
    fs::create_directory_symlink(".", top_ / "Loop" / "b");
    fs::create_directory_symlink(top_ / "Sub", top_ / "SubLink");         // a folder beside
    fs::create_symlink(top_ / "one5.txt", top_ / "Sub" / "link5.txt");    // a file
    fs::create_symlink("nowhere5.txt", top_ / "Loop" / "dangling5.txt");  // a missing target
    OpenWindow();
    Application->CreateForm(SearchForm);
    Application->CreateForm(PropForm);
  }

  void TearDown() override {
    delete SearchForm;
    SearchForm = nullptr;
    delete PropForm;
    PropForm = nullptr;
    MainWindowTest::TearDown();
  }

  // The search's hits as paths relative to Top, as find prints them.
  std::set<std::string> SearchHits(const std::string& mask) const {
    SearchForm->LookIn_E->SetText("C:\\Top");
    SearchForm->Name_E->SetText(mask);
    SearchForm->SubDir_CB->SetChecked(true);
    SearchForm->Ok_B->Click();
    std::set<std::string> hits;
    TListItems* items = SearchForm->FilesFound->Items();
    for (int i = 0; i < items->Count(); ++i) {
      std::string path = items->Item(i)->Caption().substr(std::string("C:\\Top\\").size());
      for (char& c : path)
        if (c == '\\') c = '/';
      hits.insert(path + items->Item(i)->SubItems()->Strings(0));
    }
    EXPECT_EQ(static_cast<int>(hits.size()), SearchForm->FoundCount);
    return hits;
  }

  // What find -P gives for the mask on the same folder: every entry but a
  // folder (links included, whatever they point to).
  std::set<std::string> FindHits(const std::string& mask) const {
    return Lines(
        Output("cd '" + top_.string() + "' && find -P . -mindepth 1 ! -type d -iname '" + mask + "' -printf '%P\\n'"));
  }

  struct Walk {
    int folders = 0;
    int files = 0;
    long double bytes = 0;
  };

  Walk PropertiesWalk() const {
    PropForm->DirCount = 0;
    PropForm->TotalSize = 0;
    const std::unique_ptr<TStringList> files(PropForm->WalkDirectory("*.*", "C:\\Top", true));
    return {PropForm->DirCount, files ? files->Count() : -1, PropForm->TotalSize};
  }

  // The folders and files find -P counts, and du -sb's bytes less the
  // folders' own sizes, which du counts and the walk does not.
  Walk FindAndDu() const {
    const std::string top = "'" + top_.string() + "'";
    Walk walk;
    walk.folders = static_cast<int>(Lines(Output("find -P " + top + " -mindepth 1 -type d")).size());
    walk.files = static_cast<int>(Lines(Output("find -P " + top + " -mindepth 1 ! -type d")).size());
    walk.bytes = std::stold(Output("du -sb " + top)) - SumAll(Output("find -P " + top + " -type d -printf '%s\\n'"));
    return walk;
  }

  fs::path top_;
};

TEST_F(WalkLinksTest, TheSearchFindsWhatFindFindsAndNeverEntersALink) {
  ScriptedMessageBoxes boxes;
  for (const char* mask : {"*5.txt", "*.*", "*"}) {
    const std::set<std::string> hits = SearchHits(mask);
    // The dialog's "*" is "*.*", which only names holding a dot match.
    EXPECT_EQ(hits, FindHits(std::string(mask) == "*" ? "*.*" : mask)) << mask;
  }
  EXPECT_TRUE(boxes.Texts().empty());
  const std::set<std::string> hits = SearchHits("*5.txt");
  for (const char* link : {"slash5.txt", "Sub/root5.txt", "Sub/link5.txt", "Loop/dangling5.txt"})
    EXPECT_EQ(hits.count(link), 1u) << link << " is a hit of its own";
  EXPECT_EQ(hits.count("SubLink/two5.txt"), 0u) << "a link to a folder beside is not entered";
}

TEST_F(WalkLinksTest, ALinksSizeAndTimeAreItsOwn) {
  SearchHits("link5.txt");
  ASSERT_EQ(SearchForm->FilesFound->Items()->Count(), 1);
  const std::string ownSize =
      SizeToStr(static_cast<long double>(fs::read_symlink(top_ / "Sub" / "link5.txt").string().size()));
  EXPECT_EQ(SearchForm->FilesFound->Items()->Item(0)->SubItems()->Strings(1), ownSize);
}

TEST_F(WalkLinksTest, ThePropertiesWalkCountsWhatFindAndDuCount) {
  ScriptedMessageBoxes boxes;
  const Walk walk = PropertiesWalk();
  const Walk tools = FindAndDu();
  EXPECT_EQ(walk.folders, tools.folders);
  EXPECT_EQ(walk.files, tools.files);
  EXPECT_EQ(walk.bytes, tools.bytes);
  EXPECT_EQ(walk.folders, 4) << "Sub, Sub\\Deeper, Loop and Empty; no link counts as a folder";
  EXPECT_TRUE(boxes.Texts().empty());
}

// A bind mount shows a folder of the tree a second time, with the same
// device and inode: each walk takes it once.
TEST_F(WalkLinksTest, ABindMountDoesNotRepeatATree) {
  const Walk before = PropertiesWalk();
  const std::set<std::string> hitsBefore = SearchHits("*5.txt");
  fs::create_directories(top_ / "Again");
  if (::geteuid() != 0 || ::mount((top_ / "Sub").c_str(), (top_ / "Again").c_str(), nullptr, MS_BIND, nullptr) != 0) {
    fs::remove(top_ / "Again");
    GTEST_SKIP() << "a bind mount takes root";
  }
  const Walk after = PropertiesWalk();
  const std::set<std::string> hitsAfter = SearchHits("*5.txt");
  const std::set<std::string> again =
      Lines(Output("cd '" + top_.string() + "' && find -P Again -mindepth 1 -printf '%P\\n'"));
  ::umount((top_ / "Again").c_str());
  fs::remove(top_ / "Again");

  EXPECT_FALSE(again.empty()) << "the mount shows Sub's entries";
  EXPECT_EQ(after.folders, before.folders + 1) << "the second path counts as a folder, not walked";
  EXPECT_EQ(after.files, before.files);
  EXPECT_EQ(after.bytes, before.bytes);
  // Sub is searched once, under whichever of its two paths the folder read gives first.
  EXPECT_EQ(hitsAfter.size(), hitsBefore.size());
}

}  // namespace
}  // namespace app_test
