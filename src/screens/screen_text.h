// Text helpers of the results and shop screens: a line drawn with its shadow
// (the shadow at the given place, the text one pixel up and left of it), and
// numbers appended to a text kept from frame to frame, so that no frame
// allocates.
//
// Threads: the game thread.
#pragma once

#include <cstdint>
#include <string>

#include "display/text.h"

void DrawShadowedLeft(int x, int y, const std::string& text, ColorRef shadow, ColorRef colour);
void DrawShadowedCentered(int x, int y, const std::string& text, ColorRef shadow, ColorRef colour);

// Appends value in decimal ("%i").
void AppendNumber(std::string* out, int32_t value);
