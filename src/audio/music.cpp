#include "audio/music.h"

#include <utility>

#include "platform/music_stream.h"

namespace {

// The game's own player: it never opens a music device, so its device is
// always 0 and closing it does nothing; a named tune is not played.
class SilentMusic final : public MusicPlayer {
 public:
  void Stop() override {}
  void Play(const std::string&) override {}
};

std::unique_ptr<MusicPlayer> g_player;

MusicPlayer& Player() {
  static SilentMusic silent;
  return g_player ? *g_player : silent;
}

}  // namespace

void StopMusic() { Player().Stop(); }

void PlayTune(std::string name) { Player().Play(name); }

void SetMusicVolume(int percent) { platform::SetMusicLevel(percent); }

std::unique_ptr<MusicPlayer> InstallMusicPlayer(std::unique_ptr<MusicPlayer> player) {
  std::swap(g_player, player);
  return player;
}
