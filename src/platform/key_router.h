// Key events of the game's window on their way to the game's key handlers:
// each key becomes its Windows virtual-key code (key_codes.h); Alt+Enter and
// F11 switch between fullscreen and a window and never reach the game; an Alt
// key reaches the game only when it is let go without another key having been
// pressed with it, so that Alt+Enter is not a key press of the game's either.
//
// Threads: the main thread.
#pragma once

struct SDL_KeyboardEvent;

namespace platform {

class InputSink;

// What became of a key event.
enum class KeyRoute {
  kGame,              // a key of the game's (delivered, or held back if it is an Alt key)
  kToggleFullscreen,  // switch between fullscreen and a window now
  kToggleKey,         // the toggle's key repeating or let go: nothing to do
};

class KeyRouter {
 public:
  // Delivers a key-down or key-up event to sink; with no sink (a message box
  // is open) the event is only noted.
  KeyRoute Route(const SDL_KeyboardEvent& e, InputSink* sink);

 private:
  bool altAlone_ = false;  // an Alt key is down and no other key went down with it
  int toggleKey_ = 0;      // scancode of the toggle key while it is down
};

}  // namespace platform
