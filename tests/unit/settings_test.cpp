// The settings file: its text read and written, damaged files refused whole,
// the file written through a temporary one, the command line over the file,
// and the volumes the settings give the game.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "audio/game_sounds.h"
#include "platform/user_files.h"
#include "screens/options_screen.h"
#include "shell/user_settings.h"
#include "state/settings.h"
#include "support/test_files.h"

TEST(Settings, TextIsReadOverTheDefaultsAndDamageNamesItsLine) {
  struct Case {
    std::string text;
    const char* error;  // empty: read
    int effects = 0, music = 0, fullscreen = 0, mode = 0, players = 0;
  };
  const Case cases[] = {
      {"", "", 100, 100, 1, -1, 0},
      {"# mine\n\n ; old\r\neffects_volume=40\r\n  music_volume =  0 \nfullscreen = no\ndisplay_mode = 800x600\n", "",
       40, 0, 0, 2, 0},
      {"fullscreen = true\ndisplay_mode = default\nnew_key = whatever\nplayer9_name = X\n", "", 100, 100, 1, -1, 0},
      {"players = 2\nplayer2_control = computer\nplayer5_name = LOST\n", "", 100, 100, 1, -1, 2},
      {"effects_volume = 40\nmusic_volume\n", "line 2: not a 'key = value' line"},
      {"effects_volume = 101\n", "line 1: '101' is not a value of effects_volume"},
      {"music_volume = 5x\n", "line 1: '5x' is not a value of music_volume"},
      {"display_mode = 640x400\n", "line 1: '640x400' is not a value of display_mode"},
      {"fullscreen = maybe\n", "line 1: 'maybe' is not a value of fullscreen"},
      {"players = 6\n", "line 1: '6' is not a value of players"},
      {"player1_name = bob\n", "line 1: 'bob' is not a value of player1_name"},
      {"player1_name = THIRTEEN CHAR\n", "line 1: 'THIRTEEN CHAR' is not a value of player1_name"},
      {"player3_colour = 5\n", "line 1: '5' is not a value of player3_colour"},
      {"\n# \xC3\xA9\n", "line 2: not text"},
      {std::string("fullscreen = no\0\n", 17), "line 1: not text"},
      {std::string(kMaxSettingsBytes + 1, '#'), "longer than 16384 bytes"},
  };
  for (const Case& c : cases) {
    Settings s;
    std::string error;
    const bool read = ParseSettings(c.text, &s, &error);
    EXPECT_EQ(error, c.error) << c.text;
    if (!read) {
      EXPECT_EQ(s, Settings()) << "a damaged file changes nothing: " << c.text;
      continue;
    }
    EXPECT_EQ((std::vector<int>{s.effectsVolume, s.musicVolume, s.fullscreen, s.displayMode, s.players}),
              (std::vector<int>{c.effects, c.music, c.fullscreen, c.mode, c.players}))
        << c.text;
    EXPECT_EQ(s.player[4], SavedPlayer()) << "players past the count are dropped";
  }
}

TEST(Settings, WhatIsWrittenReadsBackTheSame) {
  Settings s;
  s.effectsVolume = 0;
  s.musicVolume = 35;
  s.fullscreen = false;
  s.displayMode = 3;
  s.players = 3;
  s.player[0] = {"NONAME 01", 4, 1};
  s.player[1] = {"", 0, 0};
  s.player[2] = {"Z9", 2, 1};
  Settings back;
  std::string error;
  ASSERT_TRUE(ParseSettings(FormatSettings(s), &back, &error)) << error << FormatSettings(s);
  EXPECT_EQ(back, s) << FormatSettings(s);
}

TEST(Settings, EffectsVolumeIsTheDesignedFullLevelAt100AndSilenceAt0) {
  for (const auto& [percent, volume] : {std::pair{100, 10000}, {50, 9398}, {10, 8000}, {1, 6000}, {0, 0}, {-5, 0}, {250, 10000}})
    EXPECT_EQ(EffectsVolumeForPercent(percent), volume) << percent;
}

TEST(Settings, TheFileIsReplacedWholeOrNotAtAll) {
  const std::string dir = testfiles::TestDir("user-files");
  const std::string path = dir + "/deep/settings.ini";
  std::string error, bytes;
  ASSERT_TRUE(platform::WriteUserFile(path, "a = 1\n", &error)) << error;
  ASSERT_TRUE(platform::WriteUserFile(path, "b = 2\n", &error)) << error;
  EXPECT_EQ(platform::ReadUserFile(path, 100, &bytes, &error), platform::ReadResult::kRead);
  EXPECT_EQ(bytes, "b = 2\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir + "/deep"), {}), 1) << "no temporary file left";
  EXPECT_EQ(platform::ReadUserFile(path, 5, &bytes, &error), platform::ReadResult::kTooLarge);
  EXPECT_EQ(platform::ReadUserFile(dir + "/none", 100, &bytes, &error), platform::ReadResult::kMissing);
  EXPECT_EQ(platform::ReadUserFile(dir, 100, &bytes, &error), platform::ReadResult::kUnreadable);
  // A folder where the file should go: the write fails, nothing is left behind.
  std::filesystem::create_directories(dir + "/taken/settings.ini/inside");
  EXPECT_FALSE(platform::WriteUserFile(dir + "/taken/settings.ini", "c = 3\n", &error));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir + "/taken"), {}), 1);
}

TEST(Settings, TheCommandLineWinsOverTheFile) {
  const std::string home = testfiles::TestDir("settings-merge");
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  std::filesystem::create_directories(home + "/bulwark");
  std::ofstream(home + "/bulwark/settings.ini") << "fullscreen = no\ndisplay_mode = 320x240\n";
  LoadUserSettings();
  EXPECT_EQ(TakeSettingsMessage(), "");
  struct Case { bool windowed; int mode; bool wantWindowed; int wantMode; };
  for (const Case& c : {Case{false, -1, true, 0}, Case{true, 3, true, 3}}) {
    platform::Options o;
    o.windowed = c.windowed;
    o.displayOption = c.mode;
    MergeUserSettings(&o);
    EXPECT_EQ(o.windowed, c.wantWindowed);
    EXPECT_EQ(o.displayOption, c.wantMode);
  }
  setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  LoadUserSettings();
}

TEST(Settings, TheOptionsScreenStepsEachValueWithinItsRange) {
  struct Case { int row, step; int effects, music, fullscreen, mode; bool changed; };
  // From effects 100, music 0, fullscreen, game.ini's mode.
  const Case cases[] = {
      {kRowEffects, 1, 100, 0, 1, -1, false}, {kRowEffects, -1, 90, 0, 1, -1, true},
      {kRowMusic, -1, 100, 0, 1, -1, false},  {kRowMusic, 1, 100, 10, 1, -1, true},
      {kRowFullscreen, 1, 100, 0, 0, -1, true}, {kRowFullscreen, -1, 100, 0, 0, -1, true},
      {kRowDisplayMode, 1, 100, 0, 1, 0, true}, {kRowDisplayMode, -1, 100, 0, 1, 3, true},
      {kRowBack, 1, 100, 0, 1, -1, false},
  };
  for (const Case& c : cases) {
    Settings s;
    s.musicVolume = 0;
    EXPECT_EQ(StepOption(&s, c.row, c.step), c.changed) << c.row << " " << c.step;
    EXPECT_EQ((std::vector<int>{s.effectsVolume, s.musicVolume, s.fullscreen, s.displayMode}),
              (std::vector<int>{c.effects, c.music, c.fullscreen, c.mode}))
        << c.row << " " << c.step;
  }
  Settings s;
  for (int i = 0; i < 5; ++i) StepOption(&s, kRowDisplayMode, 1);
  EXPECT_EQ(s.displayMode, -1) << "round the four modes and back to game.ini's";
}
