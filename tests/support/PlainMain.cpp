#include <gtest/gtest.h>

#include "tests/support/FakeCdDrive.h"
#include "tests/support/PrivateHome.h"

int main(int argc, char** argv) {
  testing_support::UsePrivateHome();
  testing_support::UseNoOpticalDrive();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  testing_support::RemovePrivateHome();
  return result;
}
