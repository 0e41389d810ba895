// The frame's input as one record: what the game thread reads during a frame
// (pointer, buttons, last key, Tab held) and the weapon keys pressed since the
// frame before. A replay stores one per frame (only the changes); online play
// sends the same.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

struct FrameRecord {
  int16_t cursorX = 0;
  int16_t cursorY = 0;
  uint8_t leftButton = 0;
  uint8_t rightButton = 0;
  uint8_t tabHeld = 0;
  int32_t lastKey = 0;
  uint32_t weaponKeys = 0;  // up to four digit keys, oldest in the highest non-zero byte
  bool operator==(const FrameRecord&) const = default;
};

// The frame's values of g_input as a record.
FrameRecord CurrentFrameRecord();
// Makes a record the frame's values of g_input (the live values stay).
void UseFrameRecord(const FrameRecord& r);
// The live values become the frame's (the pointer too when withPointer);
// the weapon keys waiting are handed over into the record.
FrameRecord TakeLiveInput(bool withPointer);

// Adds a digit key to the live weapon keys (the handlers' thread); the oldest
// of five is dropped.
void AddWeaponKey(int vk);
