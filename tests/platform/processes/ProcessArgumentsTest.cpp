#include <gtest/gtest.h>

#include "platform/processes/ProcessArguments.h"

using Args = std::vector<std::string>;

TEST(ProcessArguments, SplitsByWindowsRules) {
  const struct {
    std::string line;
    Args args;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"prog", {"prog"}},
      {"prog a b", {"prog", "a", "b"}},
      {"  prog  a\tb \t ", {"prog", "a", "b"}},
      {R"("C:\My Apps\x.exe" arg)", {R"(C:\My Apps\x.exe)", "arg"}},
      {R"("C:\Dir\" x)", {R"(C:\Dir\)", "x"}},  // the program takes backslashes literally
      {R"(C:\Dir\prog "C:\My Files\a b.txt")", {R"(C:\Dir\prog)", R"(C:\My Files\a b.txt)"}},
      {R"(p "")", {"p", ""}},
      {R"(p "" "")", {"p", "", ""}},
      {R"(p a""b)", {"p", "ab"}},
      {R"(p a" "b)", {"p", "a b"}},
      {R"(p a\\b)", {"p", R"(a\\b)"}},
      {R"(p a\"b)", {"p", R"(a"b)"}},
      {R"(p a\\\"b)", {"p", R"(a\"b)"}},
      {R"(p "a\\")", {"p", R"(a\)"}},
      {R"(p "C:\My Dir\")", {"p", R"(C:\My Dir")"}},
      {R"(p "a""b")", {"p", R"(a"b)"}},
      {R"(p "a	b c)", {"p", "a\tb c"}},  // an open quote keeps the rest
  };
  for (const auto& c : cases) EXPECT_EQ(platform::SplitProcessCommandLine(c.line), c.args) << c.line;
}

TEST(ProcessArguments, QuotedArgumentsComeBackWhole) {
  const std::string arguments[] = {"",       "plain",   "a b",   R"(C:\My Files\)", R"(C:\My Files\a b.txt)",
                                   R"(a"b)", R"(a\"b)", R"(\\)", "tab\there",       R"(C:\My Dir\\)",
                                   R"(" )"};
  for (const std::string& argument : arguments) {
    const std::string quoted = platform::QuoteProcessArgument(argument);
    EXPECT_EQ(platform::SplitProcessCommandLine("p " + quoted + " next"), (Args{"p", argument, "next"})) << quoted;
  }
  EXPECT_EQ(platform::QuoteProcessArgument(R"(C:\Data\a.txt)"), R"(C:\Data\a.txt)");
  EXPECT_EQ(platform::QuoteProcessArgument(R"(C:\My Files\)"), R"("C:\My Files\\")");
}
