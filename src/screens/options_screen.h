// The options screen, reached from the title menu's OPTIONS item: the title's
// picture under a framed panel listing the effects volume, the music volume,
// fullscreen or a window, the display mode (taken at the next start) and
// BACK. The row under the pointer, or chosen with Up and Down, is lit; a
// click on a row's left half or Left lowers it, a click on its right half,
// Right, Enter or Space raises it; Esc, a right click or BACK leaves.
//
// Threads: the game thread.
#pragma once

#include <functional>

#include "state/settings.h"

class FramePresenter;

enum OptionsRow : int { kRowEffects, kRowMusic, kRowFullscreen, kRowDisplayMode, kRowBack, kOptionsRows };

// Moves row's value one step up (+1) or down (-1): the volumes by 10 between
// 0 and 100, fullscreen on or off, the display mode through the four modes
// and game.ini's. False (nothing changed) for BACK and at a volume's end.
bool StepOption(Settings* s, int row, int step);

// The row's label and its value as the screen shows them.
const char* OptionLabel(int row);
std::string OptionValue(const Settings& s, int row);

// The top of row's line on the screen.
int OptionRowY(int row);

// Runs the screen from settings; every change is handed to changed at once
// (which keeps and applies it).
void ShowOptions(FramePresenter& frame, Settings settings, const std::function<void(const Settings&)>& changed);
