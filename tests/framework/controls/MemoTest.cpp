#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "framework/controls/Memo.h"
#include "framework/core/Exception.h"

namespace {

std::string Lines(const TMemo& memo) {
  std::string text;
  for (int i = 0; i < memo.Lines()->Count(); ++i) text += "[" + memo.Lines()->Strings(i) + "]";
  return text;
}

TEST(Memo, KeepsLinesLikeAStringList) {
  TMemo memo(nullptr);
  EXPECT_EQ(memo.Lines()->Count(), 0);
  // Empty lines are lines too.
  memo.Lines()->Insert(0, "");
  memo.Lines()->Insert(0, "");
  EXPECT_EQ(memo.Lines()->Count(), 2);
  memo.Lines()->Insert(0, "top");
  EXPECT_EQ(memo.Lines()->Add("bottom"), 3);
  memo.Lines()->Insert(2, "middle");
  EXPECT_EQ(Lines(memo), "[top][][middle][][bottom]");
  EXPECT_EQ(memo.Lines()->Text(), "top\r\n\r\nmiddle\r\n\r\nbottom\r\n");
  memo.Lines()->Delete(4);
  memo.Lines()->Delete(0);
  memo.Lines()->Delete(1);
  EXPECT_EQ(Lines(memo), "[][]");
  memo.Lines()->Clear();
  EXPECT_EQ(memo.Lines()->Count(), 0);
}

TEST(Memo, TypedTextWithoutAFinalBreakCountsItsLastLine) {
  TMemo memo(nullptr);
  auto* edit = static_cast<QPlainTextEdit*>(memo.Widget());
  edit->setPlainText("one\ntwo");
  EXPECT_EQ(Lines(memo), "[one][two]");
  memo.Lines()->Add("three");
  EXPECT_EQ(Lines(memo), "[one][two][three]");
  edit->setPlainText("one\ntwo");
  memo.Lines()->Delete(1);
  memo.Lines()->Insert(1, "2");
  EXPECT_EQ(Lines(memo), "[one][2]");
  edit->setPlainText("solo");
  memo.Lines()->Delete(0);
  EXPECT_EQ(memo.Lines()->Count(), 0);
  EXPECT_EQ(edit->toPlainText().toStdString(), "");
}

TEST(Memo, RefusesIndicesOutsideItsLines) {
  TMemo memo(nullptr);
  memo.Lines()->Add("only");
  EXPECT_THROW(memo.Lines()->Strings(1), EStringListError);
  EXPECT_THROW(memo.Lines()->Strings(-1), EStringListError);
  EXPECT_THROW(memo.Lines()->Delete(1), EStringListError);
  EXPECT_THROW(memo.Lines()->Insert(2, "x"), EStringListError);
  EXPECT_EQ(Lines(memo), "[only]");
}

}  // namespace
