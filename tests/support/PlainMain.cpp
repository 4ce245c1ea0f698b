#include <gtest/gtest.h>

#include "FakeCdDrive.h"
#include "PrivateHome.h"

int main(int argc, char** argv) {
  testing_support::UsePrivateHome();
  testing_support::UseNoOpticalDrive();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  testing_support::RemovePrivateHome();
  return result;
}
