#include "assetgen/art/lettering.h"

#include <cmath>
#include <map>
#include <memory>

#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "platform/font.h"

namespace art {
namespace {

std::string& Error() {
  static std::string error;
  return error;
}

using FontCache = std::map<std::pair<int, int>, std::unique_ptr<platform::Font>>;

FontCache& Fonts() {
  static FontCache fonts;
  return fonts;
}

platform::Font* FontFor(Face face, int cellHeight) {
  FontCache& fonts = Fonts();
  const auto key = std::make_pair(static_cast<int>(face), cellHeight);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second.get();
  const char* names[3][2] = {{"LiberationSans-Bold.ttf", "DejaVuSans-Bold.ttf"},
                             {"LiberationSerif-Bold.ttf", "DejaVuSerif-Bold.ttf"},
                             {"DejaVuSansCondensed-Bold.ttf", "LiberationSans-Bold.ttf"}};
  auto font = std::make_unique<platform::Font>();
  std::string error;
  bool ok = false;
  for (const char* name : names[static_cast<int>(face)]) {
    const std::string path = platform::FindFontFile(name);
    if (!path.empty() && font->Open(path, cellHeight, &error)) {
      ok = true;
      break;
    }
  }
  if (!ok) {
    if (Error().empty()) Error() = std::string("no font for lettering: ") + names[static_cast<int>(face)][0] + " " + error;
    font.reset();
  }
  platform::Font* result = font.get();
  fonts.emplace(key, std::move(font));
  return result;
}

}  // namespace

const std::string& LetteringError() { return Error(); }

void CloseLetteringFonts() { Fonts().clear(); }

float SampleMask(const TextMask& m, float x, float y) {
  x -= 0.5f;
  y -= 0.5f;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float tx = x - x0, ty = y - y0;
  const float top = m.At(x0, y0) * (1 - tx) + m.At(x0 + 1, y0) * tx;
  const float bottom = m.At(x0, y0 + 1) * (1 - tx) + m.At(x0 + 1, y0 + 1) * tx;
  return top * (1 - ty) + bottom * ty;
}

TextMask RenderText(const std::string& text, Face face, int cellHeight, int tracking) {
  TextMask m;
  platform::Font* font = FontFor(face, cellHeight);
  if (!font) return m;
  int width = 0;
  int height = 0;
  for (size_t i = 0; i < text.size();) {
    const auto& g = font->GetGlyph(platform::NextUtf8(text, &i));
    width += g.advance + tracking;
    height = std::max(height, g.height);
  }
  m.w = width + 4;
  m.h = height;
  m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0f);
  int pen = 2;
  for (size_t i = 0; i < text.size();) {
    const auto& g = font->GetGlyph(platform::NextUtf8(text, &i));
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x) {
        const int tx = pen + x;
        if (tx < 0 || tx >= m.w || y >= m.h) continue;
        float& a = m.a[static_cast<size_t>(y) * m.w + tx];
        a = std::max(a, g.coverage[static_cast<size_t>(y) * g.width + x] / 255.0f);
      }
    pen += g.advance + tracking;
  }
  m.inkLeft = m.w;
  m.inkTop = m.h;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.At(x, y) > 0.05f) {
        m.inkLeft = std::min(m.inkLeft, x);
        m.inkRight = std::max(m.inkRight, x + 1);
        m.inkTop = std::min(m.inkTop, y);
        m.inkBottom = std::max(m.inkBottom, y + 1);
      }
  if (m.inkRight <= m.inkLeft) m.inkLeft = m.inkTop = m.inkRight = m.inkBottom = 0;
  return m;
}

LetterStyle GoldLetters(int shadowDx, int shadowDy) {
  LetterStyle s;
  s.top = pal::kGoldLight;
  s.bottom = Hex(0xCC7E28);
  s.bevel = 1;
  s.bevelStrength = 0.4f;
  s.shadowDx = shadowDx;
  s.shadowDy = shadowDy;
  s.shadowOpacity = 0.8f;
  return s;
}

void Letter(Canvas* target, const std::string& text, Face face, int cellHeight, float cx, float cy,
            const LetterStyle& style, int tracking) {
  const TextMask m = RenderText(text, face, cellHeight, tracking);
  if (m.inkRight <= m.inkLeft) return;
  const int pad = 3 + static_cast<int>(style.outlineWidth) + std::max(std::abs(style.shadowDx), std::abs(style.shadowDy));
  Canvas layer(m.w + 2 * pad, m.h + 2 * pad);
  const float inkH = static_cast<float>(m.inkBottom - m.inkTop);
  layer.Wash([&](Vec2 p) { return m.At(static_cast<int>(p.x) - pad, static_cast<int>(p.y) - pad); },
             [&](Vec2 p) {
               const float t = Clamp01((p.y - pad - m.inkTop) / inkH);
               return Mix(style.top, style.bottom, t);
             });
  if (style.bevel > 0) Bevel(&layer, style.bevel, style.bevelStrength);
  if (style.outlineWidth > 0) Outline(&layer, style.outline, style.outlineWidth);
  if (style.shadowDx || style.shadowDy) DropShadow(&layer, style.shadowDx, style.shadowDy, style.shadow, style.shadowOpacity);
  const float inkCx = pad + (m.inkLeft + m.inkRight) * 0.5f, inkCy = pad + (m.inkTop + m.inkBottom) * 0.5f;
  target->Draw(layer, static_cast<int>(std::lround(cx - inkCx)), static_cast<int>(std::lround(cy - inkCy)));
}

int FitCellHeight(const std::string& text, Face face, int maxCell, int maxWidth, int maxHeight, int tracking) {
  auto fits = [&](int cell) {
    const TextMask m = RenderText(text, face, cell, tracking);
    return m.inkRight - m.inkLeft <= maxWidth && m.inkBottom - m.inkTop <= maxHeight;
  };
  // Ink grows with the cell height: search for the largest that fits.
  int lo = 6, hi = maxCell;
  if (fits(hi)) return hi;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    (fits(mid) ? lo : hi) = mid;
  }
  return lo;
}

}  // namespace art
