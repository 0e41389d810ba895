#include "state/frame_record.h"

#include "platform/input.h"
#include "state/shared_state.h"

namespace {
// The frame's weapon keys (the live ones are g_input.weaponKeys).
uint32_t g_frameWeaponKeys = 0;
}  // namespace

FrameRecord CurrentFrameRecord() {
  FrameRecord r;
  r.cursorX = static_cast<int16_t>(g_input.cursorX);
  r.cursorY = static_cast<int16_t>(g_input.cursorY);
  r.leftButton = g_input.leftButton;
  r.rightButton = g_input.rightButton;
  r.tabHeld = g_input.tabHeld;
  r.lastKey = g_input.lastKey;
  r.weaponKeys = g_frameWeaponKeys;
  return r;
}

void UseFrameRecord(const FrameRecord& r) {
  g_input.cursorX = r.cursorX;
  g_input.cursorY = r.cursorY;
  g_input.leftButton.SetFrame(r.leftButton);
  g_input.rightButton.SetFrame(r.rightButton);
  g_input.tabHeld.SetFrame(r.tabHeld);
  g_input.lastKey.SetFrame(r.lastKey);
  g_frameWeaponKeys = r.weaponKeys;
}

FrameRecord TakeLiveInput(bool withPointer) {
  if (withPointer) platform::GetCursorPos(&g_input.cursorX, &g_input.cursorY);
  g_input.leftButton.Take();
  g_input.rightButton.Take();
  g_input.tabHeld.Take();
  g_input.lastKey.Take();
  g_frameWeaponKeys = g_input.weaponKeys.exchange(0);
  return CurrentFrameRecord();
}

void AddWeaponKey(int vk) {
  uint32_t keys = g_input.weaponKeys.load();
  while (!g_input.weaponKeys.compare_exchange_weak(keys, (keys << 8) | static_cast<uint8_t>(vk))) {
  }
}
