// The display's shared state: the device, the primary and back surfaces, the
// pixel layout of 16-bit pixels, the font height, and the scratch rectangle.
//
// Threads: set on the main thread at start-up; afterwards used by the game
// thread, and by the main thread's timer only while a landscape is built.
#pragma once

#include <cstdint>

#include "platform/surface.h"
#include "platform/video.h"

using platform::Surface;

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

enum PixelLayout : int32_t {
  kLayout555 = 1,  // red bits 10-14, green 5-9, blue 0-4
  kLayout565 = 2,  // red bits 11-15, green 6-10 (bit 5 stays 0), blue 0-4
};

struct DisplayState {
  platform::Video* device = nullptr;  // the display device; null when it could not be made
  Surface* primary = nullptr;         // the visible surface
  Surface* back = nullptr;            // every frame is drawn here, then flipped
  int32_t pixelLayout = kLayout555;
  int32_t fontHeight = 0;             // also the line spacing of text screens
  Rect scratchRect;
  void Reset() { *this = DisplayState(); }
};

extern DisplayState g_display;
