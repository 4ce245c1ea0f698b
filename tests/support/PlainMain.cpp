#include <gtest/gtest.h>

#include "PrivateHome.h"

int main(int argc, char** argv) {
  testing_support::UsePrivateHome();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
