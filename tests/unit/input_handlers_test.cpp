// The window message handlers: last key, buttons (no quick click lost), and
// weapon choice by digit key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/input_handlers.h"
#include "state/player_record.h"
#include "state/shared_state.h"

namespace {

class InputHandlers : public testing::Test {
 protected:
  void SetUp() override {
    g_input.Reset();
    g_game.Reset();
    for (auto& p : g_players) p = PlayerRecord();
    g_game.currentPlayer = 1;
    PlayerRecord& p = g_players[1];  // a human player
    p.stock[kMissile] = kUnlimitedStock;
    p.stock[kGrenade] = 1;
    p.stock[kDefense] = 2;
    p.stock[kGimlet] = 10;
  }
  PlayerRecord& Current() { return g_players[1]; }
};

TEST_F(InputHandlers, DigitKeysChooseTheWeaponOfTheirPlace) {
  // The tenth weapon on 0; unlimited stock counts as stock; DEFENSE with no shield up.
  for (const auto& [key, weapon] : {std::pair{'3', kGrenade}, {'0', kGimlet}, {'1', kMissile}, {'7', kDefense}}) {
    OnKeyDown(key);
    EXPECT_EQ(g_game.currentWeapon, weapon) << key;
  }
  EXPECT_EQ(g_input.lastKey, '3');
  EXPECT_EQ(WeaponForDigitKey('A'), -1);
}

TEST_F(InputHandlers, RefusedChoicesLeaveTheWeaponButAlwaysClearTheTarget) {
  // No BIG MISSILE in stock; DEFENSE while the shield has charges; a shot
  // being charged; a computer player.
  struct Case { int key, shield, power, control; };
  for (const Case c : {Case{'2', 0, 0, 0}, {'7', 3, 0, 0}, {'3', 0, 12, 0}, {'3', 0, 0, 1}}) {
    g_game.currentWeapon = kMissile;
    g_game.targetMarked = 1;
    Current().shieldCharges = static_cast<int16_t>(c.shield);
    g_game.shotPower = static_cast<uint16_t>(c.power);
    Current().control = static_cast<uint16_t>(c.control);
    OnKeyDown(c.key);
    EXPECT_EQ(g_game.currentWeapon, kMissile) << c.key;
    EXPECT_EQ(g_game.targetMarked, 0) << c.key;
  }
}

TEST_F(InputHandlers, KeysWaitTheirTurnUpToAFullQueue) {
  // Keys pressed faster than the frames come: each waits until the game has
  // used up the one before it, or has had it a whole frame without using it.
  for (int key : {'A', 'B', 'C'}) OnKeyDown(key);
  OnKeyUp('C');
  EXPECT_EQ(g_input.lastKey, 'A');
  OnGameFrame();
  EXPECT_EQ(g_input.lastKey, 'A');  // the game has not looked yet
  g_input.lastKey = 0;              // it types the A
  OnGameFrame();
  EXPECT_EQ(g_input.lastKey, 'B');
  OnGameFrame();                    // a frame with B unused: C replaces it
  EXPECT_EQ(g_input.lastKey, 'C');
  OnGameFrame();
  EXPECT_EQ(g_input.lastKey, 'C');  // nothing more waits: C stays until used
  g_input.lastKey = 0;
  OnKeyDown(16);                    // nothing waiting: at once, without a frame
  EXPECT_EQ(g_input.lastKey, 16);

  // Forty keys within one frame: 32 wait behind the one in last key, the rest are dropped.
  g_input.Reset();
  std::vector<int> typed, want(40, 0);
  for (int k = 0; k < 40; ++k) OnKeyDown(100 + k);
  for (int k = 0; k < 40; ++k, g_input.lastKey = 0, OnGameFrame()) typed.push_back(g_input.lastKey);
  for (int k = 0; k < 33; ++k) want[k] = 100 + k;
  EXPECT_EQ(typed, want);
}

// Button presses and releases against the game's frames. Steps: D press,
// U release, F a frame presented (the game then reads the button), C the game
// uses the click up. After every step the button must read as expected.
TEST_F(InputHandlers, AQuickClickIsSeenForOneFrameAndSlowPressesAreUnchanged) {
  struct Case { const char* what; const char* steps; const char* button; };
  const Case cases[] = {
      {"press and release between two frames", "DUFFF", "11100"},
      {"held over many frames, released at once", "DFFFFU", "111110"},
      {"released in the first frame it was seen", "DFUF", "1110"},
      {"a quick click used up stays used up", "DUFCFF", "111000"},
      {"used up before any frame, then released", "DCUFF", "10000"},
      {"the next click after a used-up one", "DUFCFDUFF", "111001110"},
      {"press, release, press: down until the second release", "DUDFFU", "111110"},
      {"a release with no press", "UF", "00"},
  };
  struct Button { void (*down)(); void (*up)(); Relaxed<uint8_t>* value; };
  const Button buttons[] = {{OnLButtonDown, OnLButtonUp, &g_input.leftButton},
                            {OnRButtonDown, OnRButtonUp, &g_input.rightButton}};
  for (const Button& b : buttons)
    for (const Case& c : cases) {
      g_input.Reset();
      std::string seen;
      for (const char* s = c.steps; *s; ++s) {
        if (*s == 'D') b.down();
        if (*s == 'U') b.up();
        if (*s == 'F') OnGameFrame();
        if (*s == 'C') *b.value = 0;
        seen += static_cast<char>('0' + *b.value);
      }
      EXPECT_EQ(seen, c.button) << c.what << (b.value == &g_input.leftButton ? " (left)" : " (right)");
    }
}

}  // namespace
