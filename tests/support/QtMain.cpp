#include <gtest/gtest.h>

#include <QApplication>

#include "framework/forms/Application.h"
#include "tests/support/FakeCdDrive.h"
#include "tests/support/PrivateHome.h"
#include "tests/support/ScriptedMessageBoxes.h"

// Window tests run headless in one QApplication for the whole program. The
// application object shows errors of event handlers in message boxes, and a
// message box that no test expects fails that test instead of waiting.
int main(int argc, char** argv) {
  testing_support::UsePrivateHome();
  testing_support::UseNoOpticalDrive();
  QApplication app(argc, argv);
  Application->Initialize();
  testing_support::FailOnUnexpectedMessageBoxes();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  testing_support::RemovePrivateHome();
  return result;
}
