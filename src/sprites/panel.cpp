#include "sprites/panel.h"

#include "sprites/blit.h"

namespace {
constexpr int kFrame = 444;
constexpr int kFillTile = 449;
constexpr int kFillCanvas = 465;
constexpr int kQuarter = 15;  // side of one corner quarter of the frame
}  // namespace

void DrawPanel(platform::Surface* target, int x, int y, int w, int h) {
  const SpriteEntry& frame = Sprite(kFrame);
  const int q = kQuarter, right = x + q + w, bottom = y + q + h;
  DrawSpritePart(target, Sprite(kFillCanvas), x + q, y + q, 0, 0, w, h);
  DrawSpritePart(target, frame, x, y, 0, 0, q, q);
  for (int i = 0; i < w; ++i) DrawSpritePart(target, frame, x + q + i, y, q - 1, 0, q, q);
  DrawSpritePart(target, frame, right, y, q, 0, 2 * q, q);
  for (int j = 0; j < h; ++j) DrawSpritePart(target, frame, right, y + q + j, q, q - 1, 2 * q, q);
  DrawSpritePart(target, frame, right, bottom, q, q, 2 * q, 2 * q);
  for (int i = 0; i < w; ++i) DrawSpritePart(target, frame, x + q - 1 + w - i, bottom, q - 1, q, q, 2 * q);
  DrawSpritePart(target, frame, x, bottom, 0, q, q, 2 * q);
  for (int j = 0; j < h; ++j) DrawSpritePart(target, frame, x, y + q - 1 + h - j, 0, q - 1, q, q);
}

void BuildPanelFill() {
  platform::Surface* canvas = Sprite(kFillCanvas).surface.get();
  const SpriteEntry& tile = Sprite(kFillTile);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) DrawSpriteClipped1024(canvas, tile, 378 * column, 256 * row);
}
