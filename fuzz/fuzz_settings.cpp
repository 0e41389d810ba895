// Fuzz target: the settings.ini reader. The input is a whole settings file;
// what it accepts must be in range, and written out again must read back
// the same; what it refuses must leave the settings as they were.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "state/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Settings s;
  std::string error;
  if (!ParseSettings(text, &s, &error)) {
    if (error.empty() || !(s == Settings())) __builtin_trap();
    return 0;
  }
  if (s.effectsVolume < 0 || s.effectsVolume > 100 || s.musicVolume < 0 || s.musicVolume > 100 || s.displayMode < -1 ||
      s.displayMode > 3 || s.players < 0 || s.players > kMaxPlayers)
    __builtin_trap();
  Settings back;
  if (!ParseSettings(FormatSettings(s), &back, &error) || !(back == s)) __builtin_trap();
  return 0;
}
