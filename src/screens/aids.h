// The player aids drawn over the designed round display (overview map, arrows
// to forts off screen, aim readout, round clock, stock figures, the flags'
// poles) are shown unless --classic asks for the screens exactly as designed.
//
// Threads: the game thread.
#pragma once

#include "platform/runtime.h"

inline bool AidsShown() { return !platform::GetOptions().classic; }
