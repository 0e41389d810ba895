#include "assetgen/contact_sheet.h"

#include <algorithm>

#include "assetgen/generators.h"
#include "display/display_state.h"
#include "platform/font.h"
#include "platform/png.h"
#include "sprites/sprite_bank_file.h"

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kGap = 6;
constexpr int kLabel = 14;
constexpr int kMaxCellW = 320, kMaxCellH = 200;

struct Cell {
  size_t item;
  int x, y, w, h;  // where the picture goes on the sheet, and its shown size
};

// The shown size of a sprite: zoomed, or small ones doubled and big ones
// shrunk to fit a cell.
void ShownSize(const SheetItem& s, const SheetOptions& o, int* w, int* h) {
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

// A bank read back through the game's loader, its pixels in 5-6-5.
struct LoadedBank {
  SpriteBankWork work;
  int count = 0;  // the records up to the first of width 0
};

bool LoadBank(const std::string& path, LoadedBank* bank, std::string* error) {
  if (!bank->work.Allocate()) {
    *error = "no memory for the loader";
    return false;
  }
  const int32_t layout = g_display.pixelLayout;
  g_display.pixelLayout = kLayout565;
  ReadSpriteBank(path, &bank->work);
  g_display.pixelLayout = layout;
  while (bank->count < kSpriteCount && bank->work.widths[bank->count] != 0) ++bank->count;
  if (bank->count == 0) {
    *error = "cannot read " + path;
    return false;
  }
  return true;
}

SheetItem Item(const LoadedBank& bank, int i, std::string label) {
  return {std::move(label), bank.work.widths[i], bank.work.heights[i], bank.work.pixels.get() + bank.work.offsets[i]};
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
    ShownSize(items[i], o, &w, &h);
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
    const SheetItem& s = items[c.item];
    for (int yy = 0; yy < c.h; ++yy)
      for (int xx = 0; xx < c.w; ++xx) {
        const int sx = static_cast<int>(static_cast<long long>(xx) * s.width / c.w);
        const int sy = static_cast<int>(static_cast<long long>(yy) * s.height / c.h);
        const uint16_t v = s.pixels[static_cast<size_t>(sy) * s.width + sx];
        const bool light = ((xx / 4) + (yy / 4)) & 1;
        sheet[static_cast<size_t>(c.y + yy) * sheetW + c.x + xx] = v ? v : (light ? 0x7BCF : 0x632C);
      }
    DrawLabel(&sheet, sheetW, sheetH, &font, c.x, c.y + c.h + 1, items[c.item].label);
  }
  return platform::SavePng565(pngPath, sheet.data(), sheetW, sheetH, error);
}

bool WriteContactSheetOf(const std::string& dataDir, const std::string& pngPath, const SheetOptions& options,
                         std::string* error) {
  LoadedBank game, intro;
  if (!LoadBank(dataDir + "/small.spr", &game, error) || !LoadBank(dataDir + "/intro.spr", &intro, error)) return false;
  std::vector<SheetItem> items;
  const int last = std::min(options.last, game.count - 1);
  for (int i = std::max(0, options.first); i <= last; ++i) items.push_back(Item(game, i, std::to_string(i)));
  // The start-up picture comes after the bank, where a range reaches past it.
  if (options.last >= game.count) items.push_back(Item(intro, 0, "intro.spr 0"));
  return SaveContactSheet(items, options, pngPath, error);
}

bool WriteContactSheet(const std::string& dataDir, const std::string& pngPath, std::string* error) {
  return WriteContactSheetOf(dataDir, pngPath, SheetOptions{}, error);
}
