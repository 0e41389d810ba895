#include "platform/png.h"

#include <SDL.h>
#include <SDL_image.h>

namespace platform {

bool SavePng565(const std::string& path, const uint16_t* pixels, int width, int height, std::string* error) {
  SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
  if (!rgb) {
    *error = SDL_GetError();
    return false;
  }
  for (int y = 0; y < height; ++y) {
    auto* out = static_cast<uint8_t*>(rgb->pixels) + static_cast<size_t>(y) * rgb->pitch;
    const uint16_t* in = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      uint16_t p = in[x];
      uint8_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
      out[3 * x + 0] = static_cast<uint8_t>((r << 3) | (r >> 2));
      out[3 * x + 1] = static_cast<uint8_t>((g << 2) | (g >> 4));
      out[3 * x + 2] = static_cast<uint8_t>((b << 3) | (b >> 2));
    }
  }
  bool ok = IMG_SavePNG(rgb, path.c_str()) == 0;
  if (!ok) *error = IMG_GetError();
  SDL_FreeSurface(rgb);
  return ok;
}

bool SavePngArgb(const std::string& path, const uint32_t* pixels, int width, int height, std::string* error) {
  SDL_Surface* argb = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height, 32, width * 4,
                                                         SDL_PIXELFORMAT_ARGB8888);
  if (!argb) {
    *error = SDL_GetError();
    return false;
  }
  const bool ok = IMG_SavePNG(argb, path.c_str()) == 0;
  if (!ok) *error = IMG_GetError();
  SDL_FreeSurface(argb);
  return ok;
}

bool LoadPng565(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height,
                std::string* error) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) {
    *error = IMG_GetError();
    return false;
  }
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (!rgb) {
    *error = SDL_GetError();
    return false;
  }
  *width = rgb->w;
  *height = rgb->h;
  pixels->assign(static_cast<size_t>(rgb->w) * rgb->h, 0);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* in = static_cast<const uint8_t*>(rgb->pixels) + static_cast<size_t>(y) * rgb->pitch;
    for (int x = 0; x < rgb->w; ++x) {
      uint16_t r = in[3 * x] >> 3, g = in[3 * x + 1] >> 2, b = in[3 * x + 2] >> 3;
      (*pixels)[static_cast<size_t>(y) * rgb->w + x] = static_cast<uint16_t>((r << 11) | (g << 5) | b);
    }
  }
  SDL_FreeSurface(rgb);
  return true;
}

}  // namespace platform
