// End-to-end: the player's own settings file. The players of a game set up
// in one run are there again in the next; a damaged or unreadable file gives
// one message, the game goes on with the defaults, and a damaged one is kept
// aside and replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/game_run.h"
#include "support/test_files.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

// At 640 x 480: the colour button (the fort), the control button, NEXT
// OPPONENT and PLAY GAME of the set-up.
constexpr int kColourX = 320, kColourY = 120, kControlX = 320, kControlY = 302;
constexpr int kNextX = 480, kPlayX = 160, kButtonY = 441;

std::string Keys(int ms, const std::string& keys) {
  std::string s = At(ms, "key 8");  // Backspace clears the name
  for (size_t i = 0; i < keys.size(); ++i) s += At(ms + 100 * static_cast<int>(i + 1), "key " + std::to_string(keys[i]));
  return s;
}

nlohmann::json Player(const GameRun& run, const std::string& snapshot, int i) {
  const nlohmann::json s = run.Snapshot(snapshot);
  return s.is_object() ? s["players"][i] : nlohmann::json();
}

}  // namespace

TEST(SettingsE2E, TheLastGamesPlayersAreThereInTheNextRun) {
  const std::string home = testfiles::TestDir("settings-home");
  RunOptions o;
  o.env = {"XDG_CONFIG_HOME=" + home};
  // BOB, a computer with the second colour; ANN, a human with the fourth.
  o.script = "300 key 65\n600 key 32\n" + Keys(800, "BOB") + Click(1300, kColourX, kColourY) +
             Click(1600, kControlX, kControlY) + Click(1900, kNextX, kButtonY) + Keys(2300, "ANN") +
             Click(2800, kColourX, kColourY) + Click(3100, kPlayX, kButtonY) +
             "3800 key 27\n4000 key 89\n6500 key 32\n6800 key 27\n";
  const auto first = RunGame("settings-first", o);
  ASSERT_TRUE(first.Clean()) << first.stderrText;
  const std::string saved = ReadFile(home + "/bulwark/settings.ini");
  for (const char* line : {"players = 2\n", "player1_name = BOB\n", "player1_colour = 1\n", "player1_control = computer\n",
                           "player2_name = ANN\n", "player2_colour = 3\n", "player2_control = human\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;

  o.script = "300 key 65\n600 key 32\n900 state one.json\n" + Click(1000, kNextX, kButtonY) +
             "1500 state two.json\n1600 key 27\n1800 key 27\n";
  const auto second = RunGame("settings-second", o);
  ASSERT_TRUE(second.Clean()) << second.stderrText;
  const nlohmann::json bob = Player(second, "one.json", 0), ann = Player(second, "two.json", 1);
  EXPECT_EQ(bob["name"], "BOB");
  EXPECT_EQ(bob["colour"], 1);
  EXPECT_EQ(bob["control"], 1);
  EXPECT_EQ(ann["name"], "ANN");
  EXPECT_EQ(ann["colour"], 3);
  EXPECT_EQ(ann["control"], 0);
}

TEST(SettingsE2E, ADamagedOrUnreadableFileGivesOneMessageAndTheDefaults) {
  struct Case {
    const char* what;
    std::string text;  // the file's text; empty: a folder in its place
    const char* message;
  };
  const Case cases[] = {
      {"not a setting", "effects_volume = 40\nfullscreen\n", "settings.ini is damaged (line 2: not a 'key = value' line)"},
      {"out of range", "display_mode = 1024x768\nmusic_volume = 140\n", "'140' is not a value of music_volume"},
      {"a folder", "", "settings.ini: not a file"},
  };
  for (const Case& c : cases) {
    const std::string home = testfiles::TestDir("settings-damaged");
    const fs::path file = fs::path(home) / "bulwark" / "settings.ini";
    fs::create_directories(c.text.empty() ? file : file.parent_path());
    if (!c.text.empty()) std::ofstream(file) << c.text;
    RunOptions o;
    o.env = {"XDG_CONFIG_HOME=" + home};
    o.script = "300 key 65\n600 key 27\n";
    const auto run = RunGame("settings-damaged", o);
    EXPECT_EQ(run.exitCode, 0) << c.what << run.stderrText;
    ASSERT_EQ(run.Messages().size(), 1u) << c.what;
    EXPECT_NE(run.Messages()[0].find(c.message), std::string::npos) << run.Messages()[0];
    EXPECT_EQ(run.state["screen"], nlohmann::json({640, 480})) << c.what;  // game.ini's, not the file's 1024 x 768
    if (c.text.empty()) continue;
    EXPECT_EQ(ReadFile(file.string() + ".damaged"), c.text) << c.what;
    EXPECT_NE(ReadFile(file.string()).find("effects_volume = 100\n"), std::string::npos) << c.what;
  }
}

TEST(SettingsE2E, WhatTheOptionsScreenSetsIsKeptForTheNextRun) {
  const std::string home = testfiles::TestDir("settings-options");
  RunOptions o;
  o.env = {"XDG_CONFIG_HOME=" + home};
  // At 640 x 480 the rows lie 36 pixels apart from y 114: effects, music,
  // fullscreen, display mode, BACK. Music one step down (the row's left
  // half), the display mode three steps on (to 800 x 600), fullscreen off
  // with Up and Enter, then BACK and Esc.
  o.script = "300 key 65\n" + Click(400, 144, 328) + At(700, "state options.json") + Click(800, 200, 155) +
             Click(1000, 400, 227) + Click(1200, 400, 227) + Click(1400, 400, 227) + "1600 key 38\n1700 key 13\n" +
             Click(1800, 320, 262) + At(2100, "state title.json") + "2200 key 27\n";
  const auto first = RunGame("settings-options-first", o);
  ASSERT_TRUE(first.Clean()) << first.stderrText;
  EXPECT_EQ(first.Snapshot("options.json")["scene"], "options");
  EXPECT_EQ(first.Snapshot("title.json")["scene"], "title");
  const std::string saved = ReadFile(home + "/bulwark/settings.ini");
  for (const char* line : {"effects_volume = 100\n", "music_volume = 90\n", "fullscreen = no\n", "display_mode = 800x600\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;

  o.script = "300 key 65\n600 key 27\n";
  const auto second = RunGame("settings-options-second", o);
  ASSERT_TRUE(second.Clean()) << second.stderrText;
  EXPECT_EQ(second.state["screen"], nlohmann::json({800, 600})) << "the settings' mode over game.ini's 640 x 480";
}
