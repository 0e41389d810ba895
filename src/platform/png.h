// PNG files of 16-bit 5-6-5 pictures: screenshots, contact sheets and previews
// are saved with it, and tests read them back pixel-exactly; and the
// desktop's icons, with their transparency.
//
// Threads: any.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Saves width x height 5-6-5 pixels (rows packed) as an RGB PNG. Each 5- or
// 6-bit component is widened by repeating its top bits, so that LoadPng565
// gives back exactly the same pixels.
bool SavePng565(const std::string& path, const uint16_t* pixels, int width, int height, std::string* error);

// Saves width x height ARGB pixels (0xAARRGGBB, rows packed) as an RGBA PNG
// with its transparency: the desktop's icons.
bool SavePngArgb(const std::string& path, const uint32_t* pixels, int width, int height, std::string* error);

// Loads a PNG into 5-6-5 pixels (the top bits of each 8-bit component).
bool LoadPng565(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height,
                std::string* error);

}  // namespace platform
