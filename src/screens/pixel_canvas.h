// Single pixels on a surface held locked for the lifetime of the canvas, each
// one clipped to the surface: for the aids' small marks (dots, tiny digits),
// which a fill per pixel would make slow.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "platform/surface.h"

class PixelCanvas {
 public:
  explicit PixelCanvas(platform::Surface* surface)
      : lock_(surface), width_(surface ? surface->Width() : 0), height_(surface ? surface->Height() : 0) {}
  explicit operator bool() const { return static_cast<bool>(lock_); }

  void Put(int x, int y, uint16_t colour) {
    if (!lock_ || static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
      return;
    lock_.Pixels()[static_cast<size_t>(y) * (lock_.Pitch() / 2) + x] = colour;
  }
  // A size x size square with its top-left corner at (x, y).
  void Square(int x, int y, int size, uint16_t colour) {
    for (int j = 0; j < size; ++j)
      for (int i = 0; i < size; ++i) Put(x + i, y + j, colour);
  }

 private:
  platform::SurfaceLock lock_;
  int width_, height_;
};
