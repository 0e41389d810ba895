#include "sprites/pointer.h"

#include "display/display_state.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "state/shared_state.h"

void DrawMousePointer() {
  const SpriteEntry& pointer = Sprite(14);
  DrawSpriteClipped(g_display.back, pointer, g_input.cursorX - (pointer.width >> 1),
                    g_input.cursorY - (pointer.height >> 1));
}

bool PointerTouches(const SpriteEntry& button, int x, int y) {
  return SpritesCollide(Sprite(15), g_input.cursorX - 4, g_input.cursorY - 4, button, x, y);
}
