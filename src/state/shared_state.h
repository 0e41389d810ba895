// The game's shared globals that more than one subsystem uses, with their
// widths and initial values, gathered per owner: configuration (set at
// start-up), input (written by the window message handlers), and the game and
// round state. Each struct's Reset restores the initial values.
//
// Threads: configuration is written on the main thread before the game thread
// exists. Values the two threads share are Relaxed<T>; the rest belongs to the
// game thread.
#pragma once

#include <cstdint>
#include <string>

#include "state/button_latch.h"
#include "state/frame_value.h"
#include "state/key_queue.h"
#include "state/relaxed.h"

// The empty text: the title of error message boxes, and what clears the
// status message.
inline constexpr const char* kEmptyText = "";

struct ConfigState {
  uint16_t screenWidth = 640;
  uint16_t screenHeight = 480;
  uint8_t displayOption = 0;     // first byte of game.ini: 0..3 picks the screen size and font height
  uint8_t noVblankWait = 0;      // second byte: non-zero skips the wait for vertical blank
  uint8_t noRefreshWarning = 0;  // third byte: non-zero suppresses the 60 Hz warning
  void Reset() { *this = ConfigState(); }
};

// The input handlers write the live values; the game thread reads the frame's
// record of them, taken at the start of each frame (frame_value.h).
struct InputState {
  FrameValue<int32_t> lastKey{0};      // virtual-key code of the last key press; 0 none
  FrameValue<uint8_t> leftButton{0};   // 1 from a left press until its release (or until consumed)
  FrameValue<uint8_t> rightButton{0};  // 1 from a right press until its release
  FrameValue<uint8_t> tabHeld{0};      // 1 while the Tab key is held (fast-forward)
  ButtonLatch leftLatch;               // holds back a release until the game has seen the press
  ButtonLatch rightLatch;
  KeyQueue keys;                       // presses waiting while last key still holds an earlier one
  Relaxed<uint32_t> weaponKeys{0};     // digit keys pressed since the frame began, a byte each, newest lowest
  int32_t cursorX = 0;                 // the pointer as the frame began
  int32_t cursorY = 0;
  void Reset() { *this = InputState(); }
};

struct SkyColour {
  int8_t red = 0, green = 0, blue = 0;           // start components, 0..31
  int8_t redStep = 0, greenStep = 0, blueStep = 0;  // each -1, 0 or +1
};

// The screen the game thread is running (for the run's summary).
enum class Scene : uint8_t { kTitle, kCredits, kMenu, kRound, kResults, kShop, kQuitQuestion, kOptions, kStandings };

struct GameState {
  uint16_t numberOfPlayers = 2;
  Relaxed<uint16_t> currentPlayer{0};  // read by the key-down handler
  int32_t levelIndex = 0;
  uint16_t scenerySet = 1;
  SkyColour sky;
  int32_t roundTimer = 0;               // game ticks left in the round
  Relaxed<uint8_t> framePhase{0};       // 0, 1, 2: the game tick runs when it wraps to 0
  Relaxed<uint16_t> landscapeBusy{0};   // 1 while a landscape is built: the timer draws the loading animation
  Relaxed<int16_t> loadingPicture{0};   // sprite 426..436 shown by the loading animation
  Relaxed<int16_t> loadingStep{0};      // +1 or -1
  uint16_t titleMenuItem = 0;           // 0 play, 1 credits, 2 exit, 10 none
  Relaxed<uint16_t> currentWeapon{0};   // weapon index 0..9 (the key-down handler writes it)
  Relaxed<uint16_t> shotPower{0};       // 0 when no shot is being charged
  Relaxed<uint16_t> targetMarked{0};    // 1 when a DIRECT MISSILE target is marked
  uint16_t settleCounter = 0;
  int32_t viewX = 0, viewY = 0;         // world position of the screen's top-left corner
  int16_t viewTargetX = 0, viewTargetY = 0;
  std::string statusMessage;
  int32_t messageTimer = 0;
  int32_t effectsVolume = 0;            // 10000 once the game flow starts
  int32_t soundChannel = 0;             // channel of the most recent sound effect
  int32_t roundsPlayed = 0;             // rounds finished in this run (for the run's summary)
  int32_t gameRounds = 0;               // rounds finished in the game being played
  int32_t roundsToPlay = 0;             // rounds a game lasts; 0 endless (kept from game to game)
  Scene scene = Scene::kTitle;
  bool autoplay = false;                // a game of computer players only, from the command line
  void Reset() { *this = GameState(); }
};

extern ConfigState g_config;
extern InputState g_input;
extern GameState g_game;

// Once the game thread runs frames (set before it starts), the handlers change
// only the live input and the game sees it at the start of the next frame.
// Before that (tests, tools) the handlers' changes reach the frame's values
// at once.
extern Relaxed<uint8_t> g_framedInput;

// Reads the mouse position into g_input's cursor. Once input is framed the
// pointer is part of the frame's record and stays as the frame began.
void ReadCursor();

// Clears last key on a screen's entry, with every key still waiting behind it.
void ClearLastKey();
