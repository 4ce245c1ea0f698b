#include <gtest/gtest.h>

#include "framework/core/Exception.h"
#include "framework/core/StringList.h"

namespace {

std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

TEST(StringList, TextSplitsAtCrLfOrCrLf) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"PX4\nC:\\Data\\\n0\na.txt\r\nb.txt\r\n", {"PX4", "C:\\Data\\", "0", "a.txt", "b.txt"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\r", {"a", ""}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("a.txt");
  list.Add("");
  list.Add("b.txt");
  EXPECT_EQ(list.Text(), "a.txt\r\n\r\nb.txt\r\n");
}

TEST(StringList, EditingAndIndexErrors) {
  TStringList list;
  list.Add("b");
  list.Insert(0, "a");
  list.Add("c");
  list.Delete(1);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.IndexOf("C"), 1);
  EXPECT_EQ(list.IndexOf("x"), -1);
  EXPECT_THROW(list.Strings(2), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("C"), -1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, SortedListsIgnoreCaseAndHandleDuplicates) {
  TStringList list;
  list.Add("pear");
  list.Add("Apple");
  list.Add("banana");
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "banana", "pear"}));
  EXPECT_EQ(list.Add("Cherry"), 2);
  EXPECT_EQ(list.IndexOf("CHERRY"), 2);
  EXPECT_EQ(list.Add("APPLE"), 0);  // dupIgnore: the one held already
  EXPECT_EQ(list.Count(), 4);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("banana"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add("banana");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringList, ObjectsTravelWithTheirTexts) {
  TObject a, b;
  TStringList list;
  list.AddObject("z", &a);
  list.AddObject("y", &b);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &b);
  EXPECT_EQ(list.Objects(1), &a);
}

}  // namespace
