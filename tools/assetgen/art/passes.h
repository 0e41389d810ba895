// Passes over a whole painted layer: the dark outline around every shape,
// the bevel that lights edges facing the top-left light, drop shadows, and
// the final conversion to the bank's 15-bit pixels.
//
// Threads: the asset generator's only thread.
#pragma once

#include "assetgen/art/canvas.h"
#include "assetgen/spr_writer.h"

namespace art {

// Puts an outline of colour c, about width pixels wide, around everything
// painted (under it, anti-aliased on its outer side). Width 1 gives the
// four-connected outline of hand-made sprites.
void Outline(Canvas* c, Rgb colour, float width = 1.0f);

// Lights the edges of painted shapes that face the light and darkens those
// that face away, over width pixels, by up to strength steps of the ramp.
void Bevel(Canvas* c, int width, float strength);

// Composites a copy of the picture's silhouette in colour, moved by (dx, dy)
// and with the given opacity, under the picture.
void DropShadow(Canvas* c, int dx, int dy, Rgb colour, float opacity);

struct QuantiseOptions {
  float alphaCut = 0.5f;  // pixels less opaque than this become transparent
  bool dither = false;    // ordered dither of the 5-bit steps (large smooth pictures)
  bool blueAtLeastOne = false;  // every opaque pixel keeps blue >= 1
};

// One opaque colour as a 15-bit pixel, never 0 (black becomes 0x0421).
uint16_t Pack555(Rgb c, float ditherOffset = 0.0f, bool blueAtLeastOne = false);

// The picture as bank pixels: transparent below the cut, else its colour.
SpriteImage Quantise(const Canvas& c, const QuantiseOptions& options = {});

// A sprite of one colour (value 0 for a transparent canvas).
SpriteImage FlatSprite(int width, int height, uint16_t value);

}  // namespace art
