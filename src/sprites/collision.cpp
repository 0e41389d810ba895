#include "sprites/collision.h"

#include <algorithm>
#include <bit>

#include "platform/message_box.h"
#include "platform/runtime.h"

// The byte-wise tests read a pixel's low byte first, as it lies in memory here.
static_assert(std::endian::native == std::endian::little, "the collision tests assume little-endian pixels");

namespace {

using platform::Surface;

// A sprite at its position; its extent never exceeds its surface.
struct Placed {
  Surface* surface;
  int64_t x, y;
  int w, h;
};

Placed Place(const SpriteEntry& e, int32_t x, int32_t y) {
  Surface* s = e.surface.get();
  if (!s) return {nullptr, x, y, 0, 0};
  return {s, x, y, std::min<int>(e.width, s->Width()), std::min<int>(e.height, s->Height())};
}

struct Overlap {
  int64_t left, top;
  int w, h;
};

// The intersection of the two rectangles; false when it is empty.
bool Intersect(int64_t ax, int64_t ay, int64_t aw, int64_t ah, const Placed& b, Overlap* out) {
  const int64_t left = std::max(ax, b.x), right = std::min(ax + aw, b.x + b.w);
  const int64_t top = std::max(ay, b.y), bottom = std::min(ay + ah, b.y + b.h);
  if (left >= right || top >= bottom) return false;
  *out = {left, top, static_cast<int>(right - left), static_cast<int>(bottom - top)};
  return true;
}

// Locks the first sprite, then the second, showing the message of each lock
// that fails; unlocks what it locked, in the same order.
class PairLock {
 public:
  PairLock(Surface* a, Surface* b) : a_(a), b_(b) {
    lockedA_ = a_->Lock() != nullptr;
    if (!lockedA_) platform::ShowMessage("error lock sp1", platform::AppName());
    if (b_ == a_) {  // one surface is locked once
      lockedB_ = lockedA_;
      return;
    }
    lockedB_ = b_->Lock() != nullptr;
    if (!lockedB_) platform::ShowMessage("error lock sp2", platform::AppName());
  }
  ~PairLock() {
    if (lockedA_) a_->Unlock();
    if (lockedB_ && b_ != a_) b_->Unlock();
  }
  PairLock(const PairLock&) = delete;
  PairLock& operator=(const PairLock&) = delete;
  explicit operator bool() const { return lockedA_ && lockedB_; }

 private:
  Surface* a_;
  Surface* b_;
  bool lockedA_ = false, lockedB_ = false;
};

// The bytes of row j of the overlap in a placed sprite, from the overlap's left edge.
uint8_t* RowBytes(const Placed& p, const Overlap& o, int j) {
  uint16_t* row = p.surface->Row(static_cast<int>(o.top + j - p.y)) + (o.left - p.x);
  return reinterpret_cast<uint8_t*>(row);
}

// Whether the first n bytes of a and b have a non-zero byte at the same position.
bool CommonByte(const uint8_t* __restrict a, const uint8_t* __restrict b, int n) {
  uint8_t hit = 0;
  for (int k = 0; k < n; ++k) hit |= static_cast<uint8_t>((a[k] != 0) & (b[k] != 0));
  return hit != 0;
}

// One row of the erase: n (even, at least 2) bytes of a and b, and whether the
// byte just right of them (a[n], b[n]) belongs to each sprite. The window at
// byte k fires when a[k] or a[k + 1] is non-zero; it counts when b[k] (unless
// the window before cleared it) or b[k + 1] is non-zero, and clears both.
uint32_t EraseRow(const uint8_t* __restrict a, bool aHasNext, uint8_t* __restrict b, bool bHasNext, int n) {
  uint32_t count = 0;
  const bool first = (a[0] | a[1]) != 0;
  count += first && (b[0] | b[1]) != 0;
  if (first) b[0] = 0;
  // Branch-free, so that the row is processed many bytes at a time.
  for (int k = 1; k < n - 1; ++k) {
    const uint8_t before = (a[k - 1] | a[k]) != 0;
    const uint8_t here = (a[k] | a[k + 1]) != 0;
    count += here & (((b[k] != 0) & (before ^ 1)) | (b[k + 1] != 0));
    b[k] = (before | here) ? 0 : b[k];
  }
  const int k = n - 1;
  const bool before = (a[k - 1] | a[k]) != 0;
  const bool here = (a[k] | (aHasNext ? a[n] : 0)) != 0;
  const bool next = bHasNext && b[n] != 0;
  count += here && ((b[k] != 0 && !before) || next);
  if (before || here) b[k] = 0;
  if (here && bHasNext) b[n] = 0;
  return count;
}

}  // namespace

bool SpritesCollide(const SpriteEntry& a, int32_t ax, int32_t ay, const SpriteEntry& b, int32_t bx, int32_t by) {
  const Placed pa = Place(a, ax, ay), pb = Place(b, bx, by);
  Overlap o;
  if (!pa.surface || !pb.surface || !Intersect(pa.x, pa.y, pa.w, pa.h, pb, &o)) return false;
  PairLock lock(pa.surface, pb.surface);
  if (!lock) return false;
  for (int j = 0; j < o.h; ++j)
    if (CommonByte(RowBytes(pa, o, j), RowBytes(pb, o, j), 2 * o.w)) return true;
  return false;
}

bool PointInSprite(int32_t px, int32_t py, const SpriteEntry& sprite, int32_t sx, int32_t sy) {
  const Placed p = Place(sprite, sx, sy);
  Overlap o;
  if (!p.surface || !Intersect(px, py, 1, 1, p, &o)) return false;
  platform::SurfaceLock lock(p.surface);
  if (!lock) {
    platform::ShowMessage("error lock sp2", platform::AppName());
    return false;
  }
  return p.surface->At(static_cast<int>(px - p.x), static_cast<int>(py - p.y)) != 0;
}

uint16_t EraseUnderSprite(const SpriteEntry& a, int32_t ax, int32_t ay, const SpriteEntry& b, int32_t bx,
                          int32_t by) {
  const Placed pa = Place(a, ax, ay), pb = Place(b, bx, by);
  Overlap o;
  if (!pa.surface || !pb.surface || pa.surface == pb.surface || !Intersect(pa.x, pa.y, pa.w, pa.h, pb, &o))
    return 0;
  PairLock lock(pa.surface, pb.surface);
  if (!lock) return 0;
  // Whether the pixel just right of the overlap still belongs to each sprite.
  const bool aHasNext = o.left + o.w < pa.x + pa.w;
  const bool bHasNext = o.left + o.w < pb.x + pb.w;
  uint32_t count = 0;
  for (int j = 0; j < o.h; ++j) count += EraseRow(RowBytes(pa, o, j), aHasNext, RowBytes(pb, o, j), bHasNext, 2 * o.w);
  return static_cast<uint16_t>(count);
}
