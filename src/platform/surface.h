// Surface: a 16-bit pixel buffer that stands for a display surface (the
// primary and back surfaces, every sprite, the terrain). Lock gives the pixels
// and the row pitch in bytes, or fails while the surface is lost. Pixel value 0
// is the colour key of every keyed copy.
//
// Threads: a surface is used by one thread at a time, except the primary
// surface, which the main thread scans out while the game thread may draw on
// it; a guarded surface serialises Lock/Unlock with a mutex for that.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {

class Surface {
 public:
  // Largest surface we agree to create, in pixels (a 4096 x 4096 canvas).
  static constexpr int64_t kMaxPixels = 4096LL * 4096LL;

  Surface() = default;
  Surface(int width, int height) { Allocate(width, height); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // (Re)allocates width x height zeroed pixels; false (and an empty surface)
  // when a side is not positive or the surface would be too large.
  bool Allocate(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Pitch() const { return width_ * 2; }  // bytes per row
  bool Empty() const { return pixels_.empty(); }

  // Pixels and pitch (bytes), or nullptr when the surface is lost or empty.
  // Every successful Lock must be matched by one Unlock.
  uint16_t* Lock(int* pitch = nullptr);
  void Unlock();

  bool IsLost() const { return lost_.load(std::memory_order_relaxed); }
  void SetLost(bool lost) { lost_.store(lost, std::memory_order_relaxed); }

  // Lock/Unlock take this mutex (the primary surface, shared with scan-out).
  void SetGuard(std::mutex* guard) { guard_ = guard; }

  // Direct access for code that already holds the lock (and for tests).
  uint16_t* Data() { return pixels_.data(); }
  const uint16_t* Data() const { return pixels_.data(); }
  uint16_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint16_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint16_t At(int x, int y) const { return Row(y)[x]; }

  // Exchanges the pixels of two equally sized surfaces (the page flip).
  void SwapPixels(Surface& other) { pixels_.swap(other.pixels_); }

 private:
  std::vector<uint16_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  std::atomic<bool> lost_{false};
  std::mutex* guard_ = nullptr;
};

// Holds a surface locked for the lifetime of the object.
class SurfaceLock {
 public:
  explicit SurfaceLock(Surface* s) : surface_(s), pixels_(s ? s->Lock(&pitch_) : nullptr) {}
  ~SurfaceLock() {
    if (pixels_) surface_->Unlock();
  }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;
  explicit operator bool() const { return pixels_ != nullptr; }
  uint16_t* Pixels() const { return pixels_; }
  int Pitch() const { return pitch_; }

 private:
  Surface* surface_;
  int pitch_ = 0;
  uint16_t* pixels_;
};

}  // namespace platform
