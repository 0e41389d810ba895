// The window's icon, drawn by code: a small stone tower on a blue field.
//
// Threads: the main thread at start-up.
#pragma once

#include <cstdint>
#include <vector>

struct WindowIcon {
  int size = 0;
  std::vector<uint32_t> pixels;  // ARGB, rows packed
};

const WindowIcon& GameWindowIcon();
