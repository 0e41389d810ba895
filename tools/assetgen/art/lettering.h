// Lettering for the pictures: lines of text rasterised with the game's own
// font code (Debian's Liberation and DejaVu faces) into coverage masks, and
// drawn as styled letters (gradient fill, bevel, outline, shadow).
//
// Threads: the asset generator's only thread.
#pragma once

#include <string>
#include <vector>

#include "assetgen/art/canvas.h"

namespace art {

enum class Face { kSans, kSerif, kSansCondensed };

// The coverage (0..1) of one line of text; ink* bound the pixels with ink.
struct TextMask {
  int w = 0, h = 0;
  std::vector<float> a;
  int inkLeft = 0, inkTop = 0, inkRight = 0, inkBottom = 0;  // exclusive right/bottom
  float At(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : a[static_cast<size_t>(y) * w + x]; }
};

// Coverage at a point in the mask's pixel coordinates, bilinear.
float SampleMask(const TextMask& m, float x, float y);

// Renders text with the face at a cell height in pixels; tracking adds
// pixels between letters. An empty mask when no font file is found (the
// reason is kept in LetteringError()).
TextMask RenderText(const std::string& text, Face face, int cellHeight, int tracking = 0);

// Empty while every face asked for was found.
const std::string& LetteringError();

// Closes the fonts opened for lettering (they open again when needed); run
// while the platform is still up, so that nothing outlives the font library.
void CloseLetteringFonts();

struct LetterStyle {
  Rgb top{1, 0.9f, 0.5f}, bottom{0.8f, 0.45f, 0.1f};  // fill, top to bottom of the ink
  Rgb outline{0.1f, 0.06f, 0.08f};
  float outlineWidth = 1;  // 0: none
  int bevel = 0;           // bevel width in pixels, 0: none
  float bevelStrength = 0.5f;
  int shadowDx = 0, shadowDy = 0;  // 0, 0: no shadow
  Rgb shadow{0.05f, 0.03f, 0.06f};
  float shadowOpacity = 0.8f;
};

// The game's gold lettering: light gold to amber, a one-pixel bevel, a dark
// outline, and a shadow (dx, dy) below it to the right.
LetterStyle GoldLetters(int shadowDx, int shadowDy);

// Draws text with the ink's centre at (cx, cy).
void Letter(Canvas* target, const std::string& text, Face face, int cellHeight, float cx, float cy,
            const LetterStyle& style, int tracking = 0);

// The largest cell height not above maxCell at which the text's ink fits
// into maxWidth x maxHeight pixels.
int FitCellHeight(const std::string& text, Face face, int maxCell, int maxWidth, int maxHeight, int tracking = 0);

}  // namespace art
