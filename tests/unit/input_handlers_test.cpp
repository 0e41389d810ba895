// The window message handlers: last key, buttons, and weapon choice by digit key.
#include <gtest/gtest.h>

#include "players/player_record.h"
#include "shell/input_handlers.h"
#include "shell/shared_state.h"

namespace {

class InputHandlers : public testing::Test {
 protected:
  void SetUp() override {
    g_input.Reset();
    g_game.Reset();
    for (auto& p : g_players) p = PlayerRecord();
    g_game.currentPlayer = 1;
    PlayerRecord& p = g_players[1];
    p.control = 0;
    p.stock[kMissile] = kUnlimitedStock;
    p.stock[kGrenade] = 1;
    p.stock[kDefense] = 2;
    p.stock[kGimlet] = 10;
  }
  PlayerRecord& Current() { return g_players[1]; }
};

TEST_F(InputHandlers, DigitKeysChooseTheWeaponOfTheirPlace) {
  OnKeyDown('3');
  EXPECT_EQ(g_game.currentWeapon, kGrenade);
  EXPECT_EQ(g_input.lastKey, '3');
  OnKeyDown('0');  // the tenth weapon
  EXPECT_EQ(g_game.currentWeapon, kGimlet);
  OnKeyDown('1');  // unlimited stock counts as stock
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  OnKeyDown('7');  // DEFENSE with no shield up
  EXPECT_EQ(g_game.currentWeapon, kDefense);
  EXPECT_EQ(WeaponForDigitKey('A'), -1);
  EXPECT_EQ(WeaponForDigitKey('9'), kBallGrenade);
}

TEST_F(InputHandlers, RefusedChoicesLeaveTheWeaponButAlwaysClearTheTarget) {
  g_game.currentWeapon = kMissile;
  g_game.targetMarked = 1;
  OnKeyDown('2');  // no BIG MISSILE in stock
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  EXPECT_EQ(g_game.targetMarked, 0);

  Current().shieldCharges = 3;
  g_game.targetMarked = 1;
  OnKeyDown('7');  // DEFENSE while the shield still has charges
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  EXPECT_EQ(g_game.targetMarked, 0);
  Current().shieldCharges = 0;

  g_game.shotPower = 12;  // a shot is being charged
  OnKeyDown('3');
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  g_game.shotPower = 0;

  Current().control = 1;  // a computer player
  OnKeyDown('3');
  EXPECT_EQ(g_game.currentWeapon, kMissile);
}

TEST_F(InputHandlers, EveryKeyReplacesTheLastKeyAndReleasesAlwaysClearButtons) {
  OnKeyDown(65);
  OnKeyDown(16);  // a second key before the game looked replaces the first
  EXPECT_EQ(g_input.lastKey, 16);
  OnKeyUp(16);
  EXPECT_EQ(g_input.lastKey, 16);

  OnLButtonDown();
  EXPECT_EQ(g_input.leftButton, 1);
  g_input.leftButton = 0;  // the game consumed the click
  OnLButtonUp();
  EXPECT_EQ(g_input.leftButton, 0);
  OnLButtonDown();
  OnLButtonUp();
  EXPECT_EQ(g_input.leftButton, 0);
  OnRButtonDown();
  EXPECT_EQ(g_input.rightButton, 1);
  OnRButtonUp();
  EXPECT_EQ(g_input.rightButton, 0);
}

}  // namespace
