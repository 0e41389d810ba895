#include "screens/fort_arrows.h"

#include <algorithm>
#include <cmath>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "screens/overview_map.h"
#include "screens/round_scene.h"
#include "screens/screen_text.h"
#include "sprites/blit.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/fort.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);

struct Point {
  float x, y;
};

void FillRow(int y, float a, float b, uint32_t colour) {
  Rect r{static_cast<int>(std::floor(std::min(a, b) + 0.5f)), y, static_cast<int>(std::floor(std::max(a, b) + 0.5f)),
         y + 1};
  if (r.right <= r.left) r.right = r.left + 1;
  FillSurface(g_display.back, colour, &r);
}

// A filled triangle, row by row through the pixels' middles.
void FillTriangle(const Point (&p)[3], uint32_t colour) {
  const int h = g_config.screenHeight;
  const float top = std::min({p[0].y, p[1].y, p[2].y}), bottom = std::max({p[0].y, p[1].y, p[2].y});
  for (int y = std::max(0, static_cast<int>(std::floor(top))); y <= bottom && y < h; ++y) {
    const float cy = static_cast<float>(y) + 0.5f;
    float low = 1e9f, high = -1e9f;
    for (int e = 0; e < 3; ++e) {
      const Point& a = p[e];
      const Point& b = p[(e + 1) % 3];
      if ((cy < a.y) == (cy < b.y)) continue;  // the row misses this edge
      const float x = a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y);
      low = std::min(low, x);
      high = std::max(high, x);
    }
    if (low <= high) FillRow(y, low, high, colour);
  }
}

void DrawArrow(const FortArrow& a, int size, uint32_t colour, uint32_t shadow) {
  const float l = static_cast<float>(size);
  const float px = -a.dy, py = a.dx;  // across the arrow
  for (const bool isShadow : {true, false}) {
    const float o = isShadow ? 1.0f : 0.0f;
    const Point tri[3] = {{a.x + a.dx * l + o, a.y + a.dy * l + o},
                          {a.x - a.dx * l + px * l * 0.7f + o, a.y - a.dy * l + py * l * 0.7f + o},
                          {a.x - a.dx * l - px * l * 0.7f + o, a.y - a.dy * l - py * l * 0.7f + o}};
    FillTriangle(tri, isShadow ? shadow : colour);
  }
}

// The player's name beside the arrow, towards the middle of the screen.
void DrawName(const FortArrow& a, int size, const std::string& name) {
  const int w = g_config.screenWidth, fh = g_display.fontHeight, tw = TextWidth(name);
  int x, y;
  if (std::fabs(a.dx) >= std::fabs(a.dy)) {  // on the left or right edge
    x = a.dx < 0 ? static_cast<int>(a.x) + size + 4 : static_cast<int>(a.x) - size - 4 - tw;
    y = static_cast<int>(a.y) - fh / 2;
  } else {  // on the top or bottom edge
    x = std::clamp(static_cast<int>(a.x) - tw / 2, 2, std::max(2, w - tw - 2));
    y = a.dy < 0 ? static_cast<int>(a.y) + size + 2 : static_cast<int>(a.y) - size - 2 - fh;
  }
  DrawShadowedLeft(x + 1, y + 1, name, kShadow, kWhite);
}

}  // namespace

int FortArrowSize() { return 6 + g_config.screenWidth / 80; }

bool FortArrowTo(int player, FortArrow* out) {
  if (player < 0 || player >= FortCount()) return false;
  const PlayerRecord& p = g_players[player];
  if (static_cast<int16_t>(static_cast<int>(p.y)) == 0 || p.destroyed != 0) return false;
  const int w = g_config.screenWidth, h = g_config.screenHeight, fh = g_display.fontHeight;
  const SpriteEntry& fort = Sprite(kPlayerFortPicture + player);
  const float left = p.x - static_cast<float>(g_game.viewX), top = p.y - static_cast<float>(g_game.viewY);
  if (left < w && left + fort.width > 0 && top < h && top + fort.height > 0) return false;  // on the screen
  const float cx = left + fort.width / 2.0f, cy = top + fort.height / 2.0f;
  const int size = FortArrowSize();
  // Clear of the top line of text and of the weapon line and slots below.
  const float minX = 2.0f * size, maxX = static_cast<float>(w) - 2.0f * size;
  float minY = static_cast<float>(2 * fh + 2 * size), maxY = static_cast<float>(h - 2 * fh - 44 - size);
  if (maxY < minY) maxY = minY;
  float x = std::clamp(cx, minX, maxX), y = std::clamp(cy, minY, maxY);
  // An arrow on the right edge goes below the overview map.
  if (OverviewMapShown()) {
    const MapPlace m = OverviewMapPlace();
    const float mapBottom = static_cast<float>(m.y + m.h + 15 + size + 2);
    if (x + size > m.x - 15 && y < mapBottom) y = std::min(mapBottom, maxY);
  }
  const float dx = cx - x, dy = cy - y, length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.5f)) return false;
  *out = FortArrow{x, y, dx / length, dy / length};
  return true;
}

void DrawFortArrows() {
  const int size = FortArrowSize();
  const uint32_t shadow = PackColor(2, 0, 0);
  for (int i = 0; i < FortCount(); ++i) {
    FortArrow a;
    if (!FortArrowTo(i, &a)) continue;
    DrawArrow(a, size, PlayerColour(g_players[i].colourIndex), shadow);
    DrawName(a, size, g_players[i].name);
  }
}
