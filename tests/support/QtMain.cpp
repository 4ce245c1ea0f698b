#include <gtest/gtest.h>

#include <QApplication>

#include "PrivateHome.h"

// Window tests run headless in one QApplication for the whole program.
int main(int argc, char** argv) {
  testing_support::UsePrivateHome();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
