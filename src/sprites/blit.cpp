#include "sprites/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "state/shared_state.h"

namespace {

const SpriteEntry kNone;
SpriteEntry g_scratch;

// One row, keyed: source pixels of value 0 leave the target as it is.
void KeyedRow(uint16_t* __restrict d, const uint16_t* __restrict s, int w) {
  for (int i = 0; i < w; ++i) d[i] = s[i] ? s[i] : d[i];
}

// A copy within one surface, where source and target may overlap: rows and
// columns are visited in the order that reads every pixel before it is written.
void CopyWithin(Surface* surface, int x, int y, int l, int t, int w, int h, bool keyed) {
  const bool up = y <= t;
  for (int n = 0; n < h; ++n) {
    const int row = up ? n : h - 1 - n;
    uint16_t* d = surface->Row(y + row) + x;
    const uint16_t* s = surface->Row(t + row) + l;
    if (!keyed) {
      std::memmove(d, s, static_cast<size_t>(w) * 2);
    } else if (d <= s) {
      for (int i = 0; i < w; ++i) d[i] = s[i] ? s[i] : d[i];
    } else {
      for (int i = w - 1; i >= 0; --i) d[i] = s[i] ? s[i] : d[i];
    }
  }
}

// Copies src rectangle (l, t, r, b) to (x, y) of dst, keyed or opaque. Both
// rectangles must lie inside their surfaces, else nothing is drawn.
void Blit(Surface* dst, int x, int y, Surface* src, int l, int t, int r, int b, bool keyed) {
  if (!dst || !src || l >= r || t >= b) return;
  if (l < 0 || t < 0 || r > src->Width() || b > src->Height()) return;
  const int w = r - l, h = b - t;
  if (x < 0 || y < 0 || x + w > dst->Width() || y + h > dst->Height()) return;
  platform::SurfaceLock dstLock(dst);
  if (!dstLock) return;
  if (src == dst) {
    CopyWithin(dst, x, y, l, t, w, h, keyed);
    return;
  }
  platform::SurfaceLock srcLock(src);
  if (!srcLock) return;
  for (int row = 0; row < h; ++row) {
    uint16_t* d = dst->Row(y + row) + x;
    const uint16_t* s = src->Row(t + row) + l;
    if (keyed) {
      KeyedRow(d, s, w);
    } else {
      std::memcpy(d, s, static_cast<size_t>(w) * 2);
    }
  }
}

}  // namespace

const SpriteEntry& Sprite(int index) {
  SpriteTable* table = Sprites();
  if (!table || index < 0 || index >= kSpriteCount) return kNone;
  return (*table)[index];
}

SpriteEntry& MutableSprite(int index) {
  SpriteTable* table = Sprites();
  if (!table || index < 0 || index >= kSpriteCount) {
    g_scratch = SpriteEntry();
    return g_scratch;
  }
  return (*table)[index];
}

void DrawSprite(Surface* target, const SpriteEntry& s, int x, int y) {
  if (s.width == 0) return;
  Blit(target, static_cast<uint16_t>(x), static_cast<uint16_t>(y), s.surface.get(), 0, 0, s.width, s.height, true);
}

void DrawSpriteOpaque(Surface* target, const SpriteEntry& s, int x, int y) {
  if (s.width == 0) return;
  Blit(target, static_cast<uint16_t>(x), static_cast<uint16_t>(y), s.surface.get(), 0, 0, s.width, s.height, false);
}

void DrawSpritePart(Surface* target, const SpriteEntry& s, int x, int y, int left, int top, int right, int bottom) {
  if (s.width == 0) return;
  Blit(target, static_cast<uint16_t>(x), static_cast<uint16_t>(y), s.surface.get(), left, top, right, bottom, true);
}

void StretchSurface(Surface* target, Surface* source) {
  if (!target || !source || target == source || source->Empty() || target->Empty()) return;
  platform::SurfaceLock dstLock(target);
  if (!dstLock) return;
  platform::SurfaceLock srcLock(source);
  if (!srcLock) return;
  const int dw = target->Width(), dh = target->Height(), sw = source->Width(), sh = source->Height();
  const size_t rowBytes = static_cast<size_t>(dw) * 2;
  // The source column of each target column, x * sw / dw; the table only
  // grows, to the widest target seen.
  static thread_local std::vector<uint32_t> columns;
  if (columns.size() < static_cast<size_t>(dw)) columns.resize(dw);
  for (int x = 0; x < dw; ++x) columns[x] = static_cast<uint32_t>(static_cast<int64_t>(x) * sw / dw);
  int previous = -1;
  for (int y = 0; y < dh; ++y) {
    // Nearest source row and column: y * sh / dh and x * sw / dw.
    const int sy = static_cast<int>(static_cast<int64_t>(y) * sh / dh);
    uint16_t* d = target->Row(y);
    if (sy == previous) {
      std::memcpy(d, target->Row(y - 1), rowBytes);
      continue;
    }
    previous = sy;
    const uint16_t* s = source->Row(sy);
    if (sw == dw) {
      std::memcpy(d, s, rowBytes);
      continue;
    }
    for (int x = 0; x < dw; ++x) d[x] = s[columns[x]];
  }
}

bool ClipSprite(int w, int h, int x, int y, int boundsW, int boundsH, ClipResult* out) {
  if (w == 0) return false;
  ClipResult c{x, y, 0, 0, w, h};
  if (c.x < 0) {
    const int skip = -c.x;
    if (skip > w) return false;
    c.left = skip;
    c.x = 0;
  }
  if (c.y < 0) {
    const int skip = -c.y;
    if (skip > h) return false;
    c.top = skip;
    c.y = 0;
  }
  // The full width and height are used here even after a cut on the left or
  // top, as the original arithmetic does.
  if (c.x + w > boundsW) {
    const int over = c.x + w - boundsW;
    if (over > w) return false;
    c.right = w - over;
  }
  if (c.y + h > boundsH) {
    const int over = c.y + h - boundsH;
    if (over > h) return false;
    c.bottom = h - over;
  }
  if (c.left >= c.right || c.top >= c.bottom) return false;
  *out = c;
  return true;
}

void DrawSpriteClippedTo(Surface* target, const SpriteEntry& s, int x, int y, int boundsW, int boundsH) {
  ClipResult c;
  if (!ClipSprite(s.width, s.height, static_cast<int16_t>(x), static_cast<int16_t>(y), boundsW, boundsH, &c)) return;
  Blit(target, c.x, c.y, s.surface.get(), c.left, c.top, c.right, c.bottom, true);
}

void DrawSpriteClipped(Surface* target, const SpriteEntry& s, int x, int y) {
  DrawSpriteClippedTo(target, s, x, y, static_cast<int16_t>(g_config.screenWidth),
                      static_cast<int16_t>(g_config.screenHeight));
}

void DrawSpriteClippedWorld(Surface* target, const SpriteEntry& s, int x, int y) {
  DrawSpriteClippedTo(target, s, x, y, 1536, 768);
}

void DrawSpriteClipped1024(Surface* target, const SpriteEntry& s, int x, int y) {
  DrawSpriteClippedTo(target, s, x, y, 1024, 768);
}
