// Runs the unit tests on a headless platform (no window; audio on SDL's dummy
// driver), with a config folder of their own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/runtime.h"
#include "support/test_files.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Settings the tests save go to a folder of their own, never the real ~/.config.
  setenv("XDG_CONFIG_HOME", testfiles::TestDir("config").c_str(), 1);
  platform::InitForTests();
  const int result = RUN_ALL_TESTS();
  platform::Shutdown();
  return result;
}
