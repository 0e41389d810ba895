#include "audio/sound_script.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <thread>

#include "audio/game_sounds.h"
#include "audio/sound_system.h"
#include "platform/music_stream.h"
#include "platform/script.h"

namespace {

constexpr auto kLongestWait = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(5);
constexpr uint64_t kOutputRate = 44100;  // frames a second of the sound device

void WaitForSilence() {
  const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
  while (SoundSystem().AnyChannelPlaying() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kPollInterval);
}

// Holds the game until the music has played ms more milliseconds of output
// (at once when no tune plays).
void WaitForMusic(long ms) {
  const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
  const uint64_t until = platform::MusicFramesPlayed() + static_cast<uint64_t>(std::max(0L, ms)) * kOutputRate / 1000;
  while (platform::MusicPlaying() && platform::MusicFramesPlayed() < until && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kPollInterval);
}

}  // namespace

void RegisterSoundScriptCommands() {
  platform::RegisterScriptCommand(
      "sound", 1, [](const std::vector<long>& args) { PlaySoundEffect(static_cast<int>(args[0])); }, 1,
      CSoundSystem::kSlots - 1);
  platform::RegisterScriptCommand("wait-sound", 0, [](const std::vector<long>&) { WaitForSilence(); });
  platform::RegisterScriptCommand(
      "wait-music", 1, [](const std::vector<long>& args) { WaitForMusic(args[0]); }, 0, INT_MAX);
}
