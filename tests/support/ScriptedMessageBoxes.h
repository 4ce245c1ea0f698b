#pragma once

// Test helper for window tests (framework, components, app): replaces the
// program's message boxes so no test ever waits on a real one.

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/forms/Dialogs.h"

namespace testing_support {

/// For its lifetime, records every message box the program shows and
/// answers the questions (Yes/No, OK/Cancel) from a script, in order. A box
/// with only an OK button answers IDOK and takes no answer from the script;
/// a question with the script used up answers No (or Cancel), which changes
/// nothing.
class ScriptedMessageBoxes {
 public:
  ScriptedMessageBoxes() {
    previous_ = SetMessageBoxHandler([this](const TMessageBoxRequest& request) { return Answer(request); });
  }
  ~ScriptedMessageBoxes() { SetMessageBoxHandler(previous_); }
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  /// Queues answers (IDYES, IDNO, IDOK, IDCANCEL) for the next questions.
  void Script(std::initializer_list<int> answers) { script_.insert(script_.end(), answers.begin(), answers.end()); }
  /// Every box shown so far, in order.
  const std::vector<TMessageBoxRequest>& Shown() const { return shown_; }
  /// The texts of the boxes shown so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TMessageBoxRequest& request : shown_) texts.push_back(request.Text);
    return texts;
  }
  void Clear() { shown_.clear(); }

 private:
  int Answer(const TMessageBoxRequest& request) {
    shown_.push_back(request);
    const unsigned type = request.Flags & MB_TYPEMASK;
    if (type == MB_OK) return IDOK;
    if (!script_.empty()) {
      const int answer = script_.front();
      script_.pop_front();
      return answer;
    }
    return type == MB_YESNO ? IDNO : IDCANCEL;
  }

  TMessageBoxHandler previous_;
  std::deque<int> script_;
  std::vector<TMessageBoxRequest> shown_;
};

/// Makes every message box that no ScriptedMessageBoxes expects fail the
/// running test instead of opening a window (the window test mains install it).
inline void FailOnUnexpectedMessageBoxes() {
  SetMessageBoxHandler([](const TMessageBoxRequest& request) {
    ADD_FAILURE() << "unexpected message box \"" << request.Caption << "\": " << request.Text;
    return (request.Flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  });
}

}  // namespace testing_support
