#include "platform/key_router.h"

#include <SDL.h>

#include "platform/input.h"
#include "platform/key_codes.h"

namespace platform {

namespace {

bool IsFullscreenToggle(const SDL_KeyboardEvent& e) {
  if (e.type != SDL_KEYDOWN) return false;
  const SDL_Keycode k = e.keysym.sym;
  return k == SDLK_F11 || ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.keysym.mod & KMOD_ALT));
}

}  // namespace

KeyRoute KeyRouter::Route(const SDL_KeyboardEvent& e, InputSink* sink) {
  const int scancode = e.keysym.scancode;
  const bool down = e.type == SDL_KEYDOWN;
  if (toggleKey_ != 0 && scancode == toggleKey_ && (e.repeat || !down)) {
    if (!down) toggleKey_ = 0;
    return KeyRoute::kToggleKey;
  }
  if (IsFullscreenToggle(e)) {
    altAlone_ = false;
    toggleKey_ = scancode;
    return KeyRoute::kToggleFullscreen;
  }
  const int vk = VirtualKeyFromSdl(scancode, e.keysym.sym);
  const bool alt = e.keysym.sym == SDLK_LALT || e.keysym.sym == SDLK_RALT;
  if (alt) {
    if (down) {
      if (!e.repeat) altAlone_ = true;
    } else if (altAlone_) {
      altAlone_ = false;
      if (sink) sink->OnKeyDown(vk);
      if (sink) sink->OnKeyUp(vk);
    }
    return KeyRoute::kGame;
  }
  if (down) altAlone_ = false;
  if (sink && down) sink->OnKeyDown(vk);
  if (sink && !down) sink->OnKeyUp(vk);
  return KeyRoute::kGame;
}

}  // namespace platform
