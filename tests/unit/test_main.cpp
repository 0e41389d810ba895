// Runs the unit tests on a headless platform (no window; audio on SDL's dummy driver).
#include <gtest/gtest.h>

#include "platform/runtime.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  platform::InitForTests();
  const int result = RUN_ALL_TESTS();
  platform::Shutdown();
  return result;
}
