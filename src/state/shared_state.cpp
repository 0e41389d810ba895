#include "state/shared_state.h"

#include "platform/input.h"

ConfigState g_config;
InputState g_input;
GameState g_game;

void ReadCursor() { platform::GetCursorPos(&g_input.cursorX, &g_input.cursorY); }
