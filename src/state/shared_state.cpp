#include "state/shared_state.h"

#include "platform/input.h"

ConfigState g_config;
InputState g_input;
GameState g_game;

Relaxed<uint8_t> g_framedInput{0};

void ReadCursor() {
  if (g_framedInput == 0) platform::GetCursorPos(&g_input.cursorX, &g_input.cursorY);
}

void ClearLastKey() {
  g_input.keys.Drop();
  g_input.lastKey = 0;
}
