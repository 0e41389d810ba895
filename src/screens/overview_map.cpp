#include "screens/overview_map.h"

#include <algorithm>
#include <memory>

#include "display/colour.h"
#include "display/display_state.h"
#include "screens/pixel_canvas.h"
#include "screens/round_scene.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"
#include "world/terrain.h"
#include "world/terrain_changes.h"

namespace {

constexpr int kPanelBorder = 15;  // the panel's frame around its interior
constexpr int kMargin = 4;        // from the screen's right edge and below the top line of text

struct MapState {
  SpriteEntry picture;                // the terrain picture, w x h
  platform::Surface* terrain = nullptr;  // the terrain surface it was made from
  int32_t layout = -1;                // the pixel layout its colours are packed in
  int8_t shown = -1;                  // M's choice; -1: the default of the screen size
};

MapState g_map;

void Fill(int left, int top, int right, int bottom, uint32_t colour) {
  Rect r{left, top, right, bottom};
  FillSurface(g_display.back, colour, &r);
}

// Redraws the cells of the picture over the world rectangle c.
void RedrawCells(const uint16_t* world, const TerrainChange& c, int w, int h) {
  platform::Surface& out = *g_map.picture.surface;
  const uint16_t ground = OverviewGroundColour(), sky = OverviewSkyColour();
  const int mx0 = c.left * w / kWorldWidth, mx1 = ((c.right - 1) * w) / kWorldWidth + 1;
  const int my0 = c.top * h / kWorldHeight, my1 = ((c.bottom - 1) * h) / kWorldHeight + 1;
  for (int my = my0; my < my1 && my < h; ++my) {
    const int wy0 = my * kWorldHeight / h, wy1 = (my + 1) * kWorldHeight / h;
    for (int mx = mx0; mx < mx1 && mx < w; ++mx) {
      const int wx0 = mx * kWorldWidth / w, wx1 = (mx + 1) * kWorldWidth / w;
      int solid = 0;
      for (int wy = wy0; wy < wy1; ++wy) {
        const uint16_t* row = world + static_cast<size_t>(wy) * kWorldWidth;
        for (int wx = wx0; wx < wx1; ++wx) solid += row[wx] != 0;
      }
      out.Row(my)[mx] = 2 * solid >= (wy1 - wy0) * (wx1 - wx0) ? ground : sky;
    }
  }
}

// World x, y to the map's pixels.
int MapX(const MapPlace& m, float x) { return m.x + static_cast<int>(x) * m.w / kWorldWidth; }
int MapY(const MapPlace& m, float y) { return m.y + static_cast<int>(y) * m.h / kWorldHeight; }
bool Inside(const MapPlace& m, int x, int y) { return x >= m.x && x < m.x + m.w && y >= m.y && y < m.y + m.h; }

void DrawViewRectangle(const MapPlace& m) {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const int left = std::clamp(m.x + g_game.viewX * m.w / kWorldWidth, m.x, m.x + m.w - 1);
  const int top = std::clamp(m.y + g_game.viewY * m.h / kWorldHeight, m.y, m.y + m.h - 1);
  const int right = std::clamp(m.x + (g_game.viewX + w) * m.w / kWorldWidth, left + 1, m.x + m.w);
  const int bottom = std::clamp(m.y + (g_game.viewY + h) * m.h / kWorldHeight, top + 1, m.y + m.h);
  const uint32_t white = PackColor(31, 31, 31);
  Fill(left, top, right, top + 1, white);
  Fill(left, bottom - 1, right, bottom, white);
  Fill(left, top, left + 1, bottom, white);
  Fill(right - 1, top, right, bottom, white);
}

void DrawFortDots(const MapPlace& m) {
  const int size = 2 + m.w / 80;
  const bool blinkOn = (g_phases.emblem - 37) % 10 < 5;
  for (int i = 0; i < FortCount(); ++i) {
    const PlayerRecord& p = g_players[i];
    if (static_cast<int16_t>(static_cast<int>(p.y)) == 0 || p.destroyed != 0) continue;
    if (i == g_game.currentPlayer && !blinkOn) continue;
    const SpriteEntry& fort = Sprite(kPlayerFortPicture + i);
    const int x = std::clamp(MapX(m, p.x + fort.width / 2) - size / 2, m.x, m.x + m.w - size);
    const int y = std::clamp(MapY(m, p.y + fort.height / 2) - size / 2, m.y, m.y + m.h - size);
    Fill(x, y, x + size, y + size, PlayerColour(p.colourIndex));
  }
}

void DrawMovingDots(const MapPlace& m) {
  PixelCanvas canvas(g_display.back);
  if (!canvas) return;
  const uint16_t drop = static_cast<uint16_t>(PackColor(31, 20, 0));
  const uint16_t shell = static_cast<uint16_t>(PackColor(31, 31, 16));
  for (const SupplyDrop& d : g_drops) {
    if (d.kind == kDropNone) continue;
    const int x = MapX(m, d.x), y = MapY(m, d.y);
    if (Inside(m, x, y) && Inside(m, x + 1, y + 1)) canvas.Square(x, y, 2, drop);
  }
  for (const Projectile& p : g_projectiles) {
    if (p.type == 0 || !(p.x >= 0 && p.x < kWorldWidth && p.y >= 0 && p.y < kWorldHeight)) continue;
    canvas.Put(MapX(m, p.x), MapY(m, p.y), shell);
  }
}

}  // namespace

uint16_t OverviewGroundColour() { return static_cast<uint16_t>(PackColor(17, 11, 5)); }
uint16_t OverviewSkyColour() { return static_cast<uint16_t>(PackColor(3, 5, 12)); }

MapPlace OverviewMapPlace() {
  MapPlace m;
  m.w = g_config.screenWidth / 6;
  m.h = m.w * kWorldHeight / kWorldWidth;
  m.x = g_config.screenWidth - kMargin - kPanelBorder - m.w;
  m.y = g_display.fontHeight + kMargin + kPanelBorder;
  return m;
}

bool OverviewMapShown() { return g_map.shown < 0 ? g_config.displayOption != 0 : g_map.shown == 1; }

void ToggleOverviewMap() { g_map.shown = OverviewMapShown() ? 0 : 1; }

void ResetOverviewMap() { g_map = MapState(); }

const platform::Surface* OverviewTerrainPicture(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  platform::Surface* terrain = TerrainSurface();
  SpriteEntry& picture = g_map.picture;
  const bool whole = !picture.surface || picture.width != w || picture.height != h || g_map.terrain != terrain ||
                     g_map.layout != g_display.pixelLayout;
  if (!picture.surface || picture.width != w || picture.height != h) {
    picture.surface = std::make_unique<platform::Surface>(w, h);
    picture.width = static_cast<uint16_t>(w);
    picture.height = static_cast<uint16_t>(h);
    std::fill(picture.surface->Data(), picture.surface->Data() + static_cast<size_t>(w) * h, OverviewSkyColour());
  }
  TerrainChange change = TakeTerrainChanges();
  if (whole) change = TerrainChange{0, 0, kWorldWidth, kWorldHeight};
  if (change.Empty()) return picture.surface.get();
  TerrainLock lock(terrain);
  if (!lock) {
    // No world to read now: the whole picture is made again once there is one.
    g_map.terrain = nullptr;
    return picture.surface.get();
  }
  RedrawCells(lock.Pixels(), change, w, h);
  g_map.terrain = terrain;
  g_map.layout = g_display.pixelLayout;
  return picture.surface.get();
}

void DrawOverviewMap() {
  if (!OverviewMapShown()) return;
  const MapPlace m = OverviewMapPlace();
  if (m.w <= 0 || m.h <= 0) return;
  DrawPanel(g_display.back, m.x - kPanelBorder, m.y - kPanelBorder, m.w, m.h);
  if (!OverviewTerrainPicture(m.w, m.h)) return;
  DrawSprite(g_display.back, g_map.picture, m.x, m.y);
  DrawViewRectangle(m);
  DrawMovingDots(m);
  DrawFortDots(m);
}
