// Fuzz target: the script reader, with the game's own commands registered.
// The input is a whole script file; whatever it accepts must be a command the
// game can apply as written: times the game clock reaches, key codes, mouse
// positions and sound numbers in their ranges, and no name cut short.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/sound_script.h"
#include "platform/game_clock.h"
#include "platform/key_codes.h"
#include "platform/script.h"

namespace {

// The whole word as a number within [lowest, highest].
bool Within(const std::string& word, long lowest, long highest) {
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 10);
  return end == word.c_str() + word.size() && value >= lowest && value <= highest;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterSoundScriptCommands();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<platform::ScriptCommand> commands;
  std::string error;
  if (!platform::ParseScript(std::string(reinterpret_cast<const char*>(data), size), &commands, &error)) return 0;
  for (const platform::ScriptCommand& c : commands) {
    if (c.timeMs < 0 || c.timeMs > INT64_MAX / platform::kClockUnitsPerMs) __builtin_trap();
    const bool key = c.verb == "key" || c.verb == "keydown" || c.verb == "keyup";
    if (key && !Within(c.args.at(0), 1, platform::kHighestKeyCode)) __builtin_trap();
    if (c.verb == "mouse" && !(Within(c.args.at(0), -32768, 32767) && Within(c.args.at(1), -32768, 32767)))
      __builtin_trap();
    if (c.verb == "sound" && !Within(c.args.at(0), 1, 400)) __builtin_trap();
    if ((c.verb == "shot" || c.verb == "state") && c.args.at(0).find('\0') != std::string::npos) __builtin_trap();
  }
  return 0;
}
