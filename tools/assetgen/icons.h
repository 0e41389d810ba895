// The desktop's icons of the installed game: the game's fort standing on a
// green hill against the evening sky of the title, on a rounded tile, at the
// sizes of the hicolor icon theme.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// The icon of size x size pixels, ARGB (0xAARRGGBB), rows packed.
std::vector<uint32_t> PaintIcon(int size);

// Writes DIR/hicolor/NxN/apps/bulwark.png for every size of kIconSizes.
bool WriteIcons(const std::string& dir, std::string* error);
