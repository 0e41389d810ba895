// Windows virtual-key codes of SDL keys, the codes the game's key handlers
// know: the number row gives '0' to '9' by its place on the keyboard, whatever
// the layout and the Shift state; letters follow the layout ('A' to 'Z'); every
// other key gives a non-zero code of its own, its Windows code where it has
// one, so that "any key" means any key on every keyboard.
//
// Threads: any (no state).
#pragma once

namespace platform {

// Codes above the Windows range, for keys Windows has no code for: this plus
// the key's SDL scancode.
constexpr int kOwnKeyCodeBase = 0x100;
// A key SDL cannot place at all: Windows gives 255 for keys without a code.
constexpr int kUnnamedKeyCode = 0xFF;
// The highest code a key can give: our own code of the last SDL scancode.
constexpr int kHighestKeyCode = kOwnKeyCodeBase + 511;

// The code of a key from its SDL scancode (where it lies) and SDL key code
// (what the layout makes of it). Never 0.
int VirtualKeyFromSdl(int scancode, int sdlKey);

}  // namespace platform
