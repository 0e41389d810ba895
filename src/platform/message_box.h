// Modal message boxes: ShowMessage returns once the user has dismissed the box
// (OK, Enter, Space or Esc). In headless mode it writes "message: TEXT" to
// stderr and returns at once. Every text shown is recorded for the run's
// summary. Closing the window or a termination signal while a box is open still
// ends the program.
//
// Threads: any. The main thread draws the box; a game-thread caller waits.
#pragma once

#include <string>
#include <vector>

namespace platform {

// owned: the box belongs to the game's window (false only for start-up boxes
// shown before there is one).
void ShowMessage(const std::string& text, const std::string& title, bool owned = true);

// Every message shown so far, in order.
std::vector<std::string> MessagesShown();
void ClearMessagesShown();

// The box a game-thread caller is waiting on, for the main loop to draw.
struct PendingBox {
  std::string text;
  std::string title;
};
bool GetActiveBox(PendingBox* out);
void DismissActiveBox();

}  // namespace platform
