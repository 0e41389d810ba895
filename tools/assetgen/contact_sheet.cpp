#include "assetgen/contact_sheet.h"

#include <algorithm>

#include "assetgen/art/catalogue.h"
#include "assetgen/generators.h"
#include "platform/font.h"
#include "platform/png.h"

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kGap = 6;
constexpr int kLabel = 14;
constexpr int kMaxCellW = 320, kMaxCellH = 200;

uint16_t To565(uint16_t v) { return static_cast<uint16_t>(((v & 0x7FE0) << 1) | (v & 0x1F)); }

struct Cell {
  size_t item;
  int x, y, w, h;  // where the picture goes on the sheet, and its shown size
};

// The shown size of a sprite: zoomed, or small ones doubled and big ones
// shrunk to fit a cell.
void ShownSize(const SpriteImage& s, const SheetOptions& o, int* w, int* h) {
  if (o.zoom > 0) {
    *w = s.width * o.zoom;
    *h = s.height * o.zoom;
    return;
  }
  if (s.width <= 64 && s.height <= 64) {
    *w = s.width * 2;
    *h = s.height * 2;
    return;
  }
  const double k = std::min({1.0, static_cast<double>(kMaxCellW) / s.width, static_cast<double>(kMaxCellH) / s.height});
  *w = std::max(1, static_cast<int>(s.width * k));
  *h = std::max(1, static_cast<int>(s.height * k));
}

void DrawLabel(std::vector<uint16_t>* sheet, int sheetW, int sheetH, platform::Font* font, int x, int y,
               const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto& g = font->GetGlyph(platform::NextUtf8(text, &i));
    for (int gy = 0; gy < g.height; ++gy)
      for (int gx = 0; gx < g.width; ++gx) {
        const int sx = x + gx, sy = y + gy;
        if (sx < 0 || sy < 0 || sx >= sheetW || sy >= sheetH) continue;
        if (g.coverage[static_cast<size_t>(gy) * g.width + gx] > 110) (*sheet)[static_cast<size_t>(sy) * sheetW + sx] = 0xE71C;
      }
    x += g.advance;
  }
}

}  // namespace

bool SaveContactSheet(const std::vector<SheetItem>& items, const SheetOptions& o, const std::string& pngPath,
                      std::string* error) {
  std::vector<Cell> cells;
  int x = kGap, y = kGap, rowH = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    int w, h;
    ShownSize(*items[i].image, o, &w, &h);
    const int cellW = std::max(w, 28);
    if (x + cellW + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += rowH + kLabel + kGap;
      rowH = 0;
    }
    cells.push_back({i, x, y, w, h});
    x += cellW + kGap;
    rowH = std::max(rowH, h);
  }
  const int sheetW = kSheetWidth, sheetH = y + rowH + kLabel + kGap;
  std::vector<uint16_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0x2124);
  platform::Font font;
  const std::string fontPath = platform::FindFontFile("LiberationSans-Regular.ttf");
  if (fontPath.empty() || !font.Open(fontPath, 12, error)) {
    *error = "no font for the labels";
    return false;
  }
  for (const Cell& c : cells) {
    const SpriteImage& s = *items[c.item].image;
    for (int yy = 0; yy < c.h; ++yy)
      for (int xx = 0; xx < c.w; ++xx) {
        const int sx = static_cast<int>(static_cast<long long>(xx) * s.width / c.w);
        const int sy = static_cast<int>(static_cast<long long>(yy) * s.height / c.h);
        const uint16_t v = s.pixels[static_cast<size_t>(sy) * s.width + sx];
        const bool light = ((xx / 4) + (yy / 4)) & 1;
        sheet[static_cast<size_t>(c.y + yy) * sheetW + c.x + xx] = v ? To565(v) : (light ? 0x7BCF : 0x632C);
      }
    DrawLabel(&sheet, sheetW, sheetH, &font, c.x, c.y + c.h + 1, items[c.item].label);
  }
  return platform::SavePng565(pngPath, sheet.data(), sheetW, sheetH, error);
}

bool WriteContactSheetOf(const std::string&, const std::string& pngPath, const SheetOptions& options,
                         std::string* error) {
  std::vector<SpriteImage> bank, intro;
  if (!art::PaintGameBank(&bank, error) || !art::PaintStartupBank(&intro, error)) return false;
  std::vector<SheetItem> items;
  const int last = std::min(options.last, static_cast<int>(bank.size()) - 1);
  for (int i = std::max(0, options.first); i <= last; ++i) items.push_back({std::to_string(i), &bank[i]});
  // The start-up picture comes after the bank, where a range reaches past it.
  if (options.last >= static_cast<int>(bank.size())) items.push_back({"intro.spr 0", &intro[0]});
  return SaveContactSheet(items, options, pngPath, error);
}

bool WriteContactSheet(const std::string& dataDir, const std::string& pngPath, std::string* error) {
  return WriteContactSheetOf(dataDir, pngPath, SheetOptions{}, error);
}
