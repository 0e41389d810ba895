// The player aids' keys during a round, on the game thread once a frame: M
// shows or hides the overview map, and a weapon key for a weapon the human
// has none of says so ("NO GRENADE LEFT") instead of doing nothing. Both keys
// are used up. Nothing happens with --classic.
//
// Threads: the game thread.
#pragma once

inline constexpr int kKeyMap = 'M';

void RoundAidKeys();
