#include "platform/surface.h"

namespace platform {

bool Surface::Allocate(int width, int height) {
  pixels_.clear();
  pixels_.shrink_to_fit();
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return false;
  if (static_cast<int64_t>(width) * height > kMaxPixels) return false;
  pixels_.assign(static_cast<size_t>(width) * height, 0);
  width_ = width;
  height_ = height;
  return true;
}

uint16_t* Surface::Lock(int* pitch) {
  if (guard_) guard_->lock();
  if (IsLost() || pixels_.empty()) {
    if (guard_) guard_->unlock();
    return nullptr;
  }
  if (pitch) *pitch = Pitch();
  return pixels_.data();
}

void Surface::Unlock() {
  if (guard_) guard_->unlock();
}

}  // namespace platform
