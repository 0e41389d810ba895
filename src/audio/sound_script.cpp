#include "audio/sound_script.h"

#include <chrono>
#include <thread>

#include "audio/game_sounds.h"
#include "audio/sound_system.h"
#include "platform/script.h"

namespace {

constexpr auto kLongestWait = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(5);

void WaitForSilence() {
  const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
  while (SoundSystem().AnyChannelPlaying() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kPollInterval);
}

}  // namespace

void RegisterSoundScriptCommands() {
  platform::RegisterScriptCommand(
      "sound", 1, [](const std::vector<long>& args) { PlaySoundEffect(static_cast<int>(args[0])); }, 1,
      CSoundSystem::kSlots - 1);
  platform::RegisterScriptCommand("wait-sound", 0, [](const std::vector<long>&) { WaitForSilence(); });
}
