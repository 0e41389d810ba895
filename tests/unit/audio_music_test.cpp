// The music cues: silent by default and harmless in any order, and routed to
// an installed player when there is one.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "recording_music_player.h"

TEST(AudioMusic, CuesAreSilentUntilAPlayerIsInstalled) {
  // No tune named yet: stopping again and again is harmless.
  for (int i = 0; i < 3; ++i) StopMusic();
  PlayTune("begin.mid");

  std::vector<std::string> log;
  EXPECT_EQ(InstallMusicPlayer(std::make_unique<RecordingPlayer>(&log)), nullptr);
  StopMusic();
  PlayTune("tex3.mid");
  StopMusic();
  PlayTune("mag.mid");
  EXPECT_EQ(log, (std::vector<std::string>{"stop", "tex3.mid", "stop", "mag.mid"}));
  EXPECT_NE(InstallMusicPlayer(nullptr), nullptr);
  StopMusic();
  EXPECT_EQ(log.size(), 4u);
}
