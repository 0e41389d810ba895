#include "platform/font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

std::string FindFontFile(const std::string& fileName) {
  namespace fs = std::filesystem;
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("BULWARK_FONT_DIR")) dirs.emplace_back(env);
  dirs.insert(dirs.end(), {"/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/truetype/liberation",
                           "/usr/share/fonts/truetype/dejavu", "/usr/local/share/fonts"});
  std::error_code ec;
  for (const auto& d : dirs) {
    fs::path p = fs::path(d) / fileName;
    if (fs::exists(p, ec)) return p.string();
  }
  return {};
}

Font::Font() = default;

Font::~Font() {
  // A font that outlives the library (a static one) is freed with it.
  if (font_ && TTF_WasInit()) TTF_CloseFont(static_cast<TTF_Font*>(font_));
}

bool Font::Open(const std::string& path, int cellHeight, std::string* error) {
  if (cellHeight <= 0) cellHeight = kDefaultCellHeight;
  TTF_Font* f = TTF_OpenFont(path.c_str(), cellHeight);
  if (!f) {
    *error = TTF_GetError();
    return false;
  }
  // The cell height of a face (ascent + descent) is larger than its point
  // size; pick the size whose cell comes closest to the height asked for.
  int best = cellHeight, bestDiff = 1 << 30;
  for (int size = 1; size <= cellHeight; ++size) {
    if (TTF_SetFontSize(f, size) != 0) break;
    int diff = std::abs(TTF_FontAscent(f) - TTF_FontDescent(f) - cellHeight);
    if (diff <= bestDiff) {
      bestDiff = diff;
      best = size;
    }
  }
  TTF_SetFontSize(f, best);
  TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  if (font_) TTF_CloseFont(static_cast<TTF_Font*>(font_));
  font_ = f;
  cellHeight_ = cellHeight;
  for (bool& r : latinReady_) r = false;
  others_.clear();
  return true;
}

Font::Glyph Font::Render(uint32_t cp) {
  Glyph g;
  auto* f = static_cast<TTF_Font*>(font_);
  if (!f) return g;
  int minx, maxx, miny, maxy, advance;
  if (TTF_GlyphMetrics32(f, cp, &minx, &maxx, &miny, &maxy, &advance) != 0) return g;
  g.advance = advance;
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* s = TTF_RenderGlyph32_Blended(f, cp, white);
  if (!s) return g;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return g;
  g.width = argb->w;
  g.height = argb->h;
  g.coverage.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < g.width; ++x) g.coverage[static_cast<size_t>(y) * g.width + x] = row[x] >> 24;
  }
  SDL_FreeSurface(argb);
  return g;
}

const Font::Glyph& Font::GetGlyph(uint32_t cp) {
  if (cp < 256) {
    if (!latinReady_[cp]) {
      latin_[cp] = Render(cp);
      latinReady_[cp] = true;
    }
    return latin_[cp];
  }
  auto it = others_.find(cp);
  if (it == others_.end()) it = others_.emplace(cp, Render(cp)).first;
  return it->second;
}

int Font::TextWidth(const std::string& text) {
  int w = 0;
  for (size_t i = 0; i < text.size();) w += GetGlyph(NextUtf8(text, &i)).advance;
  return w;
}

uint32_t NextUtf8(const std::string& s, size_t* i) {
  const uint8_t c = static_cast<uint8_t>(s[*i]);
  const int extra = (c >= 0xC0 && c < 0xE0) ? 1 : (c >= 0xE0 && c < 0xF0) ? 2 : (c >= 0xF0 && c < 0xF8) ? 3 : 0;
  if (extra == 0 || *i + extra >= s.size()) {
    ++*i;
    return c;
  }
  uint32_t cp = c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const uint8_t cc = static_cast<uint8_t>(s[*i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++*i;
      return c;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  *i += extra + 1;
  return cp;
}

}  // namespace platform
