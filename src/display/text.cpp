#include "display/text.h"

#include <cstdio>

#include "display/display_state.h"
#include "platform/font.h"
#include "state/shared_state.h"

namespace {

platform::Font& GameFont() {
  static platform::Font font;
  return font;
}

// Mixes colour (8-bit components) over a pixel by coverage a (0..255).
uint16_t Blend(uint16_t pixel, ColorRef c, int a, int32_t layout) {
  const bool g6 = layout == kLayout565;
  const int rShift = g6 ? 11 : 10, gBits = g6 ? 6 : 5;
  const int gMax = (1 << gBits) - 1;
  int r = (pixel >> rShift) & 31, g = (pixel >> 5) & gMax, b = pixel & 31;
  const int cr = c.red >> 3, cb = c.blue >> 3;
  // The colour's green in 5-bit steps; in 5-6-5 its lowest bit stays 0, as in PackColor.
  const int cg = g6 ? (c.green >> 3) << 1 : c.green >> 3;
  r = (cr * a + r * (255 - a) + 127) / 255;
  g = (cg * a + g * (255 - a) + 127) / 255;
  b = (cb * a + b * (255 - a) + 127) / 255;
  return static_cast<uint16_t>((r << rShift) | (g << 5) | b);
}

void Draw(int x, int y, const std::string& text, ColorRef colour) {
  Surface* s = g_display.back;
  platform::Font& font = GameFont();
  if (!s || !font.IsOpen()) return;
  platform::SurfaceLock lock(s);
  if (!lock) return;
  const int w = s->Width(), h = s->Height();
  const int32_t layout = g_display.pixelLayout;
  const uint16_t full = Blend(0, colour, 255, layout);  // a fully covered pixel
  for (size_t i = 0; i < text.size();) {
    const platform::Font::Glyph& g = font.GetGlyph(platform::NextUtf8(text, &i));
    // The part of the glyph inside the surface.
    const int gx0 = x < 0 ? -x : 0, gx1 = x + g.width > w ? w - x : g.width;
    for (int gy = 0; gy < g.height && gx0 < gx1; ++gy) {
      const int sy = y + gy;
      if (sy < 0 || sy >= h) continue;
      uint16_t* row = s->Row(sy) + x;
      const uint8_t* cov = g.coverage.data() + static_cast<size_t>(gy) * g.width;
      for (int gx = gx0; gx < gx1; ++gx) {
        const uint8_t a = cov[gx];
        if (a == 255)
          row[gx] = full;
        else if (a != 0)
          row[gx] = Blend(row[gx], colour, a, layout);
      }
    }
    x += g.advance;
  }
}

}  // namespace

int32_t FontHeightForOption(int option, int32_t current) {
  switch (option) {
    case 0: return 12;
    case 1: return 18;
    case 2: return 23;
    case 3: return 30;
    default: return current;
  }
}

bool CreateGameFont() {
  g_display.fontHeight = FontHeightForOption(g_config.displayOption, g_display.fontHeight);
  std::string path = platform::FindFontFile("LiberationSans-Bold.ttf");
  if (path.empty()) path = platform::FindFontFile("DejaVuSans-Bold.ttf");
  std::string error;
  if (path.empty() || !GameFont().Open(path, g_display.fontHeight, &error)) {
    std::fprintf(stderr, "bulwark: no font for text (%s)\n", path.empty() ? "LiberationSans-Bold.ttf not found" : error.c_str());
    return false;
  }
  return true;
}

void DrawTextLeft(int x, int y, const std::string& text, ColorRef colour) {
  Draw(static_cast<uint16_t>(x), static_cast<uint16_t>(y), text, colour);
}

void DrawTextCentered(int x, int y, const std::string& text, ColorRef colour) {
  const int ux = static_cast<uint16_t>(x);
  Draw(ux - TextWidth(text) / 2, static_cast<uint16_t>(y), text, colour);
}

int TextWidth(const std::string& text) { return GameFont().TextWidth(text); }
