// Colours and fills: packing 5-bit components into the display's pixel
// layout, filling rectangles of a surface, and detecting the layout.
//
// Threads: the game thread (and the main thread's loading animation).
#pragma once

#include <cstdint>

#include "display/display_state.h"

// A pixel from 5-bit components (0..31; not masked) in the current layout; the
// low 16 bits are the pixel.
uint32_t PackColor(int red, int green, int blue);

// Fills rect (null: the whole surface) of surface with the low 16 bits of
// colour. A null or lost surface, or a rectangle that is empty or not wholly
// inside the surface, is left as it is. Returns 0.
int FillSurface(Surface* surface, uint32_t colour, const Rect* rect);

// Converts a 15-bit file pixel (5-5-5, bit 15 ignored) to the current layout.
inline uint16_t ConvertFilePixel(uint16_t v, int32_t layout) {
  return layout == kLayout565 ? static_cast<uint16_t>(((v & 0x7FE0) << 1) | (v & 0x1F))
                              : static_cast<uint16_t>((v & 0x7FE0) | (v & 0x1F));
}

// The pixel layout that a surface's colour masks describe: 5-6-5 for the
// masks 0xF800, 0x7E0, 0x1F; otherwise the current layout stays.
int32_t LayoutFromMasks(uint32_t red, uint32_t green, uint32_t blue, int32_t current);
