#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "components/KeyComs.h"
#include "platform/system/Locale.h"
#include "tests/support/ChildTests.h"

namespace {

// One binding step: by code when name is null, else by name; an empty
// command queries.
struct Step {
  int code;
  const char* name;
  std::string command;
  std::string reply;
};

void RunSteps(TKeyComs& keys, std::initializer_list<Step> steps) {
  for (const Step& s : steps) {
    const std::string reply = s.name == nullptr ? keys.Bind(s.code, s.command) : keys.Bind(s.name, s.command);
    EXPECT_EQ(reply, s.reply) << (s.name == nullptr ? std::to_string(s.code) : s.name) << " \"" << s.command << "\"";
  }
}

TEST(KeyComs, BindsQueriesAndRefusesWithReplyTexts) {
  TKeyComs keys(nullptr);
  RunSteps(keys, {
                     {27, nullptr, "", "Escape "},  // never bound: an empty command, not "Not bound"
                     {0, nullptr, "x", "Incorrect Number"},
                     {256, nullptr, "x", "Incorrect Number"},
                     {-1, nullptr, "", "Incorrect Number"},
                     {1, nullptr, "first", "\x01 Bound"},
                     {255, nullptr, "last", "\xFF Bound"},
                     {0, "a", "open", "A Bound"},
                     {65, nullptr, "", "A open"},
                     {0, "pageup", "next", "PageUp Bound"},
                     {0, "F10", "menu", "F10 Bound"},
                     {0, "PgUp", "p", "P Bound"},  // a longer unknown name counts by its first letter
                     {0, "", "x", "Usage: KeyName Command"},
                     {0, "\xC3\xA9t\xC3\xA9", "x", "Incorrect Number"},  // first byte above 127
                     {112, nullptr, "help", "F1 Bound"},
                     {0, "f1", "about", "F1 Bound"},
                     {112, nullptr, "", "F1 about"},
                     {13, nullptr, "fourteen chars", "Enter Bound"},
                     {13, nullptr, "fifteen chars!!", "Command too long"},
                     {13, nullptr, "", "Enter fourteen chars"},
                     {46, nullptr, " ", "Delete Bound"},  // the one-blank command marks the key unbound
                     {46, nullptr, "", "Delete Not bound"},
                 });
  EXPECT_EQ(keys.GetCommand(65), "open");
  EXPECT_EQ(keys.GetCommand(121), "menu");
  EXPECT_EQ(keys.GetCommand(80), "p");
  EXPECT_EQ(keys.GetCommand(13), "fourteen chars");
  EXPECT_EQ(keys.GetCommand(27), "");
  EXPECT_EQ(keys.GetCommand(0), "");
  EXPECT_EQ(keys.GetCommand(256), "");
  EXPECT_EQ(keys.GetCommand(-1), "");
}

TEST(KeyComs, UnBindAllMarksEveryKeyButSlotZeroUnbound) {
  TKeyComs keys(nullptr);
  RunSteps(keys, {{27, nullptr, "quit", "Escape Bound"}, {255, nullptr, "x", "\xFF Bound"}});
  keys.UnBindAll();
  RunSteps(keys,
           {{27, nullptr, "", "Escape Not bound"}, {1, nullptr, "", "\x01 Not bound"}, {0, "z", "", "Z Not bound"}});
  EXPECT_EQ(keys.GetCommand(27), " ");
  EXPECT_EQ(keys.GetCommand(255), " ");
  EXPECT_EQ(keys.GetCommand(0), "");
  RunSteps(keys, {{27, nullptr, "back", "Escape Bound"}, {27, nullptr, "", "Escape back"}});
}

TEST(KeyComs, NamesKeysAndFindsThemInAnyCase) {
  const TKeyComs keys(nullptr);
  const struct {
    int code;
    const char* name;
  } named[] = {{8, "Backspace"}, {13, "Enter"}, {16, "Shift"},  {17, "Control"},  {18, "Alt"},    {19, "Pause"},
               {27, "Escape"},   {32, "Space"}, {33, "PageUp"}, {34, "PageDown"}, {35, "End"},    {36, "Home"},
               {37, "Left"},     {38, "Up"},    {39, "Right"},  {40, "Down"},     {45, "Insert"}, {46, "Delete"},
               {112, "F1"},      {117, "F6"},   {121, "F10"},   {123, "F12"}};
  for (const auto& n : named) {
    EXPECT_EQ(keys.GetKeyName(n.code), n.name);
    EXPECT_EQ(keys.GetKeyNumber(n.name), n.code) << n.name;
    std::string lower = n.name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(keys.GetKeyNumber(lower), n.code) << lower;
  }
  EXPECT_EQ(keys.GetKeyNumber("ESCAPE"), 27);
  const struct {
    int code;
    std::string name;
  } unnamed[] = {{65, "A"}, {48, "0"}, {9, "\t"}, {321, "A"}, {124, "|"}};
  for (const auto& u : unnamed) EXPECT_EQ(keys.GetKeyName(u.code), u.name) << u.code;
  const struct {
    const char* name;
    int code;
  } numbers[] = {{"a", 65}, {"z", 90}, {"7", 55}, {"F", 70}, {"F13", 70}, {"", 0}, {"\xC3\xA9", -61}};
  for (const auto& n : numbers) EXPECT_EQ(keys.GetKeyNumber(n.name), n.code) << n.name;
}

// Key names are ASCII: they match by ASCII case under every locale, and a
// name that starts with any other character is no key, whatever its upper
// case would be.
void ExpectAsciiKeyNames() {
  TKeyComs keys(nullptr);
  const struct {
    const char* name;
    std::string reply;
  } cases[] = {{"right", "Right Bound"},
               {"shift", "Shift Bound"},
               {"insert", "Insert Bound"},
               {"pipe", "P Bound"},
               {"i", "I Bound"},
               {"\xC3\x9F", "Incorrect Number"},
               {"\xC4\xB1", "Incorrect Number"},
               {"\xC5\xBF", "Incorrect Number"},
               {"\xEF\xAC\x81", "Incorrect Number"},
               {"\xC4\xB0", "Incorrect Number"}};
  for (const auto& c : cases) EXPECT_EQ(keys.Bind(c.name, "X"), c.reply) << c.name;
}

TEST(KeyComs, KeyNamesAreAsciiUnderEveryLocale) {
  ExpectAsciiKeyNames();
  EXPECT_TRUE(testing_support::RunChildTests("KeyComs.AsciiKeyNamesChild", {{"PELLIX_ASCII_CHILD", "tr_TR.UTF-8"}}))
      << "the child's tests failed";
}

// Runs only inside the child process of the case above, under Turkish rules.
TEST(KeyComs, AsciiKeyNamesChild) {
  const char* locale = std::getenv("PELLIX_ASCII_CHILD");
  if (locale == nullptr) GTEST_SKIP() << "runs in a child process of its own";
  // The case rules are read from the environment once, at their first use.
  setenv("LC_ALL", locale, 1);
  ASSERT_EQ(CharUpperA("i"), "\u0130");  // the locale's own rules are Turkish
  ExpectAsciiKeyNames();
}

}  // namespace
