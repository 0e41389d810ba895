// Fuzz target: the game.ini reader. The input is a whole game.ini; the screen
// it gives must be one the display can be set to, and the font height one of
// the display options' or the default.
#include <cstddef>
#include <cstdint>

#include "display/text.h"
#include "shell/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ConfigState config;
  ApplyConfigBytes(data, size, &config);
  const int w = config.screenWidth, h = config.screenHeight;
  const bool known = (w == 320 && h == 240) || (w == 640 && h == 480) || (w == 800 && h == 600) ||
                     (w == 1024 && h == 768);
  if (!known) __builtin_trap();
  if (size > 0 && config.displayOption != data[0]) __builtin_trap();
  const int32_t font = FontHeightForOption(config.displayOption, 0);
  if (font != 0 && font != 12 && font != 18 && font != 23 && font != 30) __builtin_trap();
  return 0;
}
