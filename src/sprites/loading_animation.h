// The loading animation that the main thread's window timer draws while the
// game thread builds a round's landscape: every third timer message it flips
// the display and draws the next picture of sprites 426..436 under the loading
// banner (sprite 437), running up and down.
//
// Threads: the main thread's timer (headless: the game thread's clock), only
// while landscape busy is 1, when the game thread does not draw or flip.
#pragma once

void DrawLoadingAnimation();
