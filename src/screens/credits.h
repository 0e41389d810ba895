// The credits screen, reached from the title menu: colour bands, a framed
// panel and fifteen lines of text, until a key or the left button.
//
// Threads: the game thread.
#pragma once

#include "display/text.h"

class FramePresenter;

struct CreditLine {
  const char* text;
  ColorRef colour;
};
inline constexpr int kCreditLines = 15;
const CreditLine& Credit(int line);

// Runs the screen; the click or key that opened it does not close it.
void ShowCredits(FramePresenter& frame);
