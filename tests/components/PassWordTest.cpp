#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "components/PassWord.h"
#include "framework/core/Exception.h"
#include "framework/forms/Form.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

class PassWordTest : public ::testing::Test {
 protected:
  PassWordTest() : form_(nullptr), field_(new TPassWord(&form_)) { field_->SetParent(&form_); }

  QWidget* Field() const { return field_->Widget(); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Field(), key, modifiers); }
  // Presses keys: characters type themselves, a UTF-8 letter comes as the
  // one key press a keyboard layout makes for it, and {Left}, {Shift+Left},
  // {Ctrl+V} ... press the named key.
  void Keys(const std::string& script) {
    static const std::map<std::string, Qt::Key> named = {
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},         {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
        {"Delete", Qt::Key_Delete}, {"Backspace", Qt::Key_Backspace}, {"Tab", Qt::Key_Tab},   {"V", Qt::Key_V}};
    for (size_t i = 0; i < script.size();) {
      if (script[i] == '{') {
        const size_t close = script.find('}', i);
        std::string name = script.substr(i + 1, close - i - 1);
        Qt::KeyboardModifiers modifiers;
        for (const auto& [prefix, modifier] :
             {std::pair{"Shift+", Qt::ShiftModifier}, {"Ctrl+", Qt::ControlModifier}, {"Alt+", Qt::AltModifier}}) {
          if (name.starts_with(prefix)) {
            modifiers |= modifier;
            name.erase(0, std::strlen(prefix));
          }
        }
        Press(named.at(name), modifiers);
        i = close + 1;
      } else if (static_cast<unsigned char>(script[i]) >= 0x80) {
        size_t end = i + 1;
        while (end < script.size() && (static_cast<unsigned char>(script[end]) & 0xC0) == 0x80) ++end;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString::fromStdString(script.substr(i, end - i)));
        QApplication::sendEvent(Field(), &press);
        i = end;
      } else {
        QTest::keyClick(Field(), script[i++]);
      }
    }
  }
  // Whether the hidden characters are exactly `typed`, checked without
  // counting a wrong try against a limit.
  bool Holds(const std::string& typed) { return field_->CheckPassWord(typed); }

  TForm form_;
  TPassWord* field_;
  testing_support::ScriptedMessageBoxes boxes_;
};

TEST_F(PassWordTest, StartsWithoutAShownCharacterOrALimitAndMapsZeroToABlank) {
  EXPECT_EQ(field_->FalseChar(), 0);
  EXPECT_EQ(field_->MaxTries, 0);
  EXPECT_EQ(field_->CorrectPassWord, "");
  field_->SetFalseChar(0);
  EXPECT_EQ(field_->FalseChar(), ' ');
  field_->SetFalseChar('#');
  EXPECT_EQ(field_->FalseChar(), '#');
}

TEST_F(PassWordTest, TypedCharactersAreShownAsTheFalseCharAndKeptHidden) {
  field_->SetFalseChar('*');
  Keys("Se cr3t!");
  EXPECT_EQ(field_->Text(), "********");
  EXPECT_TRUE(Holds("Se cr3t!"));
  EXPECT_FALSE(Holds("se cr3t!"));
}

TEST_F(PassWordTest, WithoutAFalseCharTypingLeavesNoMarkButIsKept) {
  Keys("ab");
  EXPECT_EQ(field_->Text(), "");
  // The caret stays at the start of the empty field, so each character goes in front.
  EXPECT_TRUE(Holds("ba"));
}

TEST_F(PassWordTest, EditingKeysChangeTheHiddenTextAsTheFieldChanges) {
  const struct {
    const char* keys;
    std::string hidden;
  } cases[] = {
      {"abc{Left}{Backspace}", "ac"},  // a and c hidden, two shown
      {"abc{Left}{Backspace}{Delete}", "a"},
      {"ab{Home}{Backspace}", "ab"},
      {"ab{Delete}", "ab"},
      {"abcd{Left}{Shift+Left}{Shift+Left}{Backspace}", "ad"},
      {"abcd{Home}{Shift+Right}{Delete}", "bcd"},
      {"abcd{Home}{Shift+Right}{Shift+Right}x", "xcd"},
      {"ac{Left}b", "abc"},
      {"a{Ctrl+V}", "a\x16"},    // typed, not pasted
      {"\xC3\xA9", "\xC3\xA9"},  // an accented letter is kept byte by byte
      {"x\xC3\xA9{Backspace}{Backspace}", "x"},
      {"a{Tab}", "a"},
      // With Ctrl, Alt or Shift, Backspace and Delete still remove one
      // character, or the selection, from both texts: no word, no cut, no undo.
      {"abc def{Ctrl+Backspace}", "abc de"},
      {"abc def{Home}{Ctrl+Delete}", "bc def"},
      {"abc{Left}{Left}{Shift+Delete}", "ac"},
      {"abc{Left}{Ctrl+Backspace}", "ac"},
      {"ab{Alt+Backspace}", "a"},
      {"ab{Shift+Backspace}", "a"},
      {"ab{Home}{Ctrl+Backspace}", "ab"},
      {"ab{Ctrl+Delete}{Shift+Delete}", "ab"},
      {"abcd{Left}{Shift+Left}{Shift+Left}{Ctrl+Backspace}", "ad"},
      {"abcd{Home}{Shift+Right}{Shift+Right}{Shift+Delete}", "cd"},
      {"abcd{Home}{Shift+Right}{Ctrl+Delete}", "bcd"},
  };
  for (const auto& c : cases) {
    // A fresh field for every case; the helpers work on field_.
    TPassWord field(&form_);
    field_ = &field;
    field.SetParent(&form_);
    field.SetFalseChar('*');
    Keys(c.keys);
    EXPECT_TRUE(Holds(c.hidden)) << c.keys;
    EXPECT_EQ(field.Text(), std::string(c.hidden.size(), '*')) << c.keys;
  }
  field_ = nullptr;
}

TEST_F(PassWordTest, TextSetByTheProgramIsNotTypedAndKeysBeyondTheHiddenTextAreSafe) {
  field_->SetFalseChar('*');
  field_->SetText("xyz");
  Press(Qt::Key_End);
  Press(Qt::Key_Backspace);
  Press(Qt::Key_Home);
  Press(Qt::Key_Delete);
  EXPECT_TRUE(Holds(""));
  Press(Qt::Key_End);
  Keys("a");
  EXPECT_EQ(field_->Text(), "y*");
  EXPECT_TRUE(Holds("a"));
}

TEST_F(PassWordTest, ChecksTellTheirOutcomeAndRaiseFromTheLimitOn) {
  std::vector<std::string> events;
  field_->OnCheckPassWord = [&](TObject*, bool correct) { events.push_back(correct ? "check right" : "check wrong"); };
  field_->OnRightPassWord = [&](TObject*) { events.push_back("right"); };
  field_->OnWrongPassWord = [&](TObject*) { events.push_back("wrong"); };
  struct Case {
    int maxTries;
    const char* tries;     // r a matching check, w a wrong one
    const char* outcomes;  // t true, f false, x raised
  };
  const Case cases[] = {
      {0, "wwwww", "fffff"}, {-1, "wwww", "ffff"}, {3, "wwww", "ffxx"}, {3, "wwrwr", "fftxt"}, {1, "rw", "tx"}};
  for (const Case& c : cases) {
    TPassWord field(&form_);
    field.OnCheckPassWord = field_->OnCheckPassWord;
    field.OnRightPassWord = field_->OnRightPassWord;
    field.OnWrongPassWord = field_->OnWrongPassWord;
    field.MaxTries = c.maxTries;
    std::string outcomes;
    std::vector<std::string> expected;
    for (const char* t = c.tries; *t != 0; ++t) {
      events.clear();
      try {
        outcomes += field.CheckPassWord(*t == 'r' ? "" : "no") ? 't' : 'f';
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Incorrect Password");
        outcomes += 'x';
      }
      expected = *t == 'r' ? std::vector<std::string>{"check right", "right"}
                           : std::vector<std::string>{"check wrong", "wrong"};
      EXPECT_EQ(events, expected) << c.tries;
    }
    EXPECT_EQ(outcomes, c.outcomes) << c.maxTries << " " << c.tries;
  }
}

TEST_F(PassWordTest, EnterChecksAgainstTheCorrectPassWordAndShowsTheLimit) {
  field_->SetFalseChar('*');
  field_->MaxTries = 2;
  std::vector<bool> checks;
  field_->OnCheckPassWord = [&](TObject* sender, bool correct) {
    EXPECT_EQ(sender, field_);
    checks.push_back(correct);
  };
  Press(Qt::Key_Return);  // an empty field matches an empty value
  field_->CorrectPassWord = "Pa55";
  Keys("pa55");
  Press(Qt::Key_Return);
  EXPECT_TRUE(boxes_.Texts().empty());
  Press(Qt::Key_Return);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Incorrect Password"});
  // The field stays usable, and a check clears nothing.
  Press(Qt::Key_Home);
  Press(Qt::Key_Delete);
  Keys("P");
  EXPECT_EQ(field_->Text(), "****");
  Press(Qt::Key_Return);
  EXPECT_EQ(checks, (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

}  // namespace
