// The window's message handlers: they turn key, button and timer messages into
// the shared input state. The key-down handler also selects a weapon by digit
// key; the timer handler runs the loading animation. Button releases pass
// through a latch (button_latch.h) and keys through a queue (key_queue.h), so
// that no quick click and no key typed faster than the frames is lost.
//
// Threads: the main thread (scripted input: the game thread); they never block.
// OnGameFrame: the game thread. Once the game thread runs, the handlers change
// only the live input; the game sees it at the next frame.
#pragma once

#include "platform/input.h"

inline constexpr int kKeyTab = 9;  // held: a round runs fast while no human aims

void OnKeyDown(int vk);
void OnKeyUp(int vk);
void OnLButtonDown();
void OnLButtonUp();
void OnRButtonDown();
void OnRButtonUp();
void OnTimer(int id);

// The game thread has presented a frame (every frame loop's presentation
// calls it): button releases held back for a quick click go through once the
// game has had the press for a frame, and the next waiting key is handed over;
// then the frame's input is taken as one record (recorded, or replaced by the
// replay's), and the weapon keys in it select their weapons.
void OnGameFrame();

// The weapon a digit key selects (1 -> 0, ..., 9 -> 8, 0 -> 9); -1 for other keys.
int WeaponForDigitKey(int vk);

// Selects the current player's weapon for a digit key, under the rules of the
// key-down handler, and always clears the marked target.
void SelectWeaponByDigit(int vk);

// Delivers the platform's window messages to the handlers above.
class MainFrameInput : public platform::InputSink {
 public:
  void OnKeyDown(int vk) override { ::OnKeyDown(vk); }
  void OnKeyUp(int vk) override { ::OnKeyUp(vk); }
  void OnTimer(int id) override { ::OnTimer(id); }
  void OnLButtonUp() override { ::OnLButtonUp(); }
  void OnLButtonDown() override { ::OnLButtonDown(); }
  void OnRButtonUp() override { ::OnRButtonUp(); }
  void OnRButtonDown() override { ::OnRButtonDown(); }
};
