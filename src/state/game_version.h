// The game's version, in one place: replays carry it and refuse to play a
// game recorded by another version.
//
// Threads: any (a constant).
#pragma once

inline constexpr const char* kGameVersion = "1.0";
