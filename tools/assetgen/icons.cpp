#include "assetgen/icons.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "assetgen/art/objects.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/sdf.h"
#include "platform/png.h"

namespace {

using art::Canvas;
using art::Rgb;
using art::Vec2;

// The fort picture's mean colour and cover over the source box [x0, x1) x
// [y0, y1) (fractions of pixels count by their area): a scaled copy that
// neither blurs the small sizes nor loses thin battlements.
Canvas::Px AreaSample(const Canvas& src, float x0, float y0, float x1, float y1) {
  Canvas::Px sum;
  float area = 0;
  for (int y = static_cast<int>(std::floor(y0)); y < static_cast<int>(std::ceil(y1)); ++y)
    for (int x = static_cast<int>(std::floor(x0)); x < static_cast<int>(std::ceil(x1)); ++x) {
      const float wx = std::min<float>(x1, x + 1) - std::max<float>(x0, x);
      const float wy = std::min<float>(y1, y + 1) - std::max<float>(y0, y);
      const float w = std::max(0.0f, wx) * std::max(0.0f, wy);
      area += w;
      if (!src.Inside(x, y)) continue;
      const Canvas::Px& q = src.At(x, y);
      sum.r += q.r * w, sum.g += q.g * w, sum.b += q.b * w, sum.a += q.a * w;
    }
  if (area > 0) sum.r /= area, sum.g /= area, sum.b /= area, sum.a /= area;
  return sum;
}

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

std::vector<uint32_t> PaintIcon(int size) {
  const float s = static_cast<float>(size);
  Canvas c(size, size);
  // The tile: the title's evening sky, darker at the top.
  const float corner = 0.18f * s, edge = 0.03f * s;
  c.Fill([&](Vec2 p) { return art::SdRect(p, edge, edge, s - edge, s - edge, corner); },
         [&](Vec2 p) { return art::Mix(art::pal::kSkyTop, art::pal::kSkyHorizon, art::Clamp01(p.y / s * 1.2f - 0.1f)); });
  // The hill, clipped to the tile.
  const float hillTop = 0.70f * s;
  c.Fill(
      [&](Vec2 p) {
        return art::Intersect(art::SdEllipse(p, {0.5f * s, hillTop + 0.55f * s}, 0.9f * s, 0.55f * s),
                              art::SdRect(p, edge, edge, s - edge, s - edge, corner));
      },
      [&](Vec2 p) { return art::Mix(art::pal::kGrass, art::pal::kGrassDark, art::Clamp01((p.y - hillTop) / (0.3f * s))); });
  // The fort (its rows from kFortTopRow down), as wide as most of the tile, on the hill.
  const Canvas fort = art::FortPicture();
  const float fortRows = static_cast<float>(fort.H() - art::kFortTopRow);
  const float scale = 0.84f * s / fort.W();
  const float w = fort.W() * scale, h = fortRows * scale;
  const float left = 0.5f * (s - w), top = hillTop + 0.06f * s - h;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float fx0 = (x - left) / scale, fy0 = (y - top) / scale + art::kFortTopRow;
      if (fx0 + 1 / scale <= 0 || fx0 >= fort.W() || fy0 + 1 / scale <= art::kFortTopRow || fy0 >= fort.H()) continue;
      const Canvas::Px q = AreaSample(fort, fx0, fy0, fx0 + 1 / scale, fy0 + 1 / scale);
      if (q.a > 0) c.Blend(x, y, Rgb{q.r / q.a, q.g / q.a, q.b / q.a}, q.a);
    }
  std::vector<uint32_t> argb(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const Canvas::Px& q = c.At(x, y);
      const Rgb col = c.ColourAt(x, y);
      argb[static_cast<size_t>(y) * size + x] = (uint32_t{Byte(q.a)} << 24) | (uint32_t{Byte(col.r)} << 16) |
                                                 (uint32_t{Byte(col.g)} << 8) | Byte(col.b);
    }
  return argb;
}

bool WriteIcons(const std::string& dir, std::string* error) {
  namespace fs = std::filesystem;
  for (const int size : kIconSizes) {
    const std::string side = std::to_string(size);
    const fs::path folder = fs::path(dir) / "hicolor" / (side + "x" + side) / "apps";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
      *error = folder.string() + ": " + ec.message();
      return false;
    }
    const std::vector<uint32_t> icon = PaintIcon(size);
    if (!platform::SavePngArgb((folder / "bulwark.png").string(), icon.data(), size, size, error)) return false;
  }
  return true;
}
