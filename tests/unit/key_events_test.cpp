// Window messages as the game receives them: SDL key events (where the key
// lies and what the layout makes of it) on a US and a French keyboard become
// Windows virtual-key codes; Alt+Enter and F11 switch fullscreen without
// reaching the game; the headless window timer follows the game clock.
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/clock.h"
#include "platform/game_clock.h"
#include "platform/input.h"
#include "platform/key_codes.h"
#include "platform/key_router.h"

using platform::KeyRoute;
using platform::KeyRouter;

namespace {

// Records the key messages the game would get (+code for a key down, -code
// for a key up) and counts the messages of timer 1.
struct KeyLog : platform::InputSink {
  std::vector<int> messages;
  int timers = 0;
  void OnKeyDown(int vk) override { messages.push_back(vk); }
  void OnKeyUp(int vk) override { messages.push_back(-vk); }
  void OnTimer(int id) override { timers += id == 1; }
  void OnLButtonUp() override {}
  void OnLButtonDown() override {}
  void OnRButtonUp() override {}
  void OnRButtonDown() override {}
};

struct Key { SDL_Scancode place; SDL_Keycode symbol; };

SDL_KeyboardEvent Event(bool down, Key k, Uint16 mod = KMOD_NONE, bool repeat = false) {
  SDL_KeyboardEvent e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.repeat = repeat ? 1 : 0;
  e.keysym.scancode = k.place;
  e.keysym.sym = k.symbol;
  e.keysym.mod = mod;
  return e;
}

// The code the game gets for one press of a key.
int CodeOf(Key k, Uint16 mod = KMOD_NONE) {
  KeyRouter router;
  KeyLog log;
  router.Route(Event(true, k, mod), &log);
  router.Route(Event(false, k, mod), &log);
  if (log.messages.size() != 2 || log.messages[0] != -log.messages[1]) return 0;
  return log.messages[0];
}

// The number row of a French (AZERTY) keyboard, unshifted: & é " ' ( - è _ ç à.
constexpr SDL_Keycode kFrenchNumberRow[10] = {SDLK_AMPERSAND, 0xE9,           SDLK_QUOTEDBL, SDLK_QUOTE, SDLK_LEFTPAREN,
                                              SDLK_MINUS,     0xE8,           SDLK_UNDERSCORE, 0xE7,     0xE0};

TEST(KeyEvents, TheNumberRowGivesItsDigitsOnEveryLayoutWithOrWithoutShift) {
  for (int i = 0; i < 10; ++i) {
    const SDL_Scancode place = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i);  // 1..9, then 0
    const int digit = i == 9 ? '0' : '1' + i;
    const SDL_Keycode us = i == 9 ? SDLK_0 : SDLK_1 + i;
    for (Uint16 mod : {KMOD_NONE, KMOD_LSHIFT}) {
      EXPECT_EQ(CodeOf({place, us}, mod), digit) << "US key " << i;
      EXPECT_EQ(CodeOf({place, kFrenchNumberRow[i]}, mod), digit) << "French key " << i;
    }
  }
}

TEST(KeyEvents, LettersFollowTheLayoutAndOtherKeysGiveTheirWindowsCodeOrOneOfTheirOwn) {
  struct Case { Key key; int code; };
  const Case cases[] = {
      {{SDL_SCANCODE_Q, SDLK_q}, 'Q'},  {{SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON}, 0xBA},  // US
      {{SDL_SCANCODE_Q, SDLK_a}, 'A'},  {{SDL_SCANCODE_A, SDLK_q}, 'Q'},  // French: A where US has Q
      {{SDL_SCANCODE_SEMICOLON, SDLK_m}, 'M'},  {{SDL_SCANCODE_M, SDLK_COMMA}, 0xBC},  // M beside L, ',' where US has M
      {{SDL_SCANCODE_F, 0x0430}, 'F'},      // a Cyrillic letter: the letter of its place
      {{SDL_SCANCODE_ESCAPE, SDLK_ESCAPE}, 27},  {{SDL_SCANCODE_F13, SDLK_F13}, 0x7C},  {{SDL_SCANCODE_KP_5, SDLK_KP_5}, 0x65},
      {{SDL_SCANCODE_GRAVE, 0xB2}, 0xC0},  {{SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS}, 0xE2},  // French '²' and '<'
      {{SDL_SCANCODE_LANG1, SDLK_UNKNOWN}, platform::kOwnKeyCodeBase + SDL_SCANCODE_LANG1},
      {{SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN}, platform::kUnnamedKeyCode},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CodeOf(c.key), c.code) << "place " << c.key.place << ", symbol " << c.key.symbol;
}

TEST(KeyEvents, EveryKeyOfAFrenchKeyboardHasACodeOfItsOwn) {
  // The keys a French layout moves, and AltGr.
  std::vector<Key> keys = {
      {SDL_SCANCODE_GRAVE, 0xB2},        {SDL_SCANCODE_MINUS, SDLK_RIGHTPAREN}, {SDL_SCANCODE_EQUALS, SDLK_EQUALS},
      {SDL_SCANCODE_LEFTBRACKET, SDLK_CARET}, {SDL_SCANCODE_RIGHTBRACKET, SDLK_DOLLAR}, {SDL_SCANCODE_APOSTROPHE, 0xF9},
      {SDL_SCANCODE_NONUSHASH, SDLK_ASTERISK}, {SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS}, {SDL_SCANCODE_M, SDLK_COMMA},
      {SDL_SCANCODE_COMMA, SDLK_SEMICOLON}, {SDL_SCANCODE_PERIOD, SDLK_COLON}, {SDL_SCANCODE_SLASH, SDLK_EXCLAIM},
      {SDL_SCANCODE_RALT, SDLK_MODE},
  };
  for (int i = 0; i < 10; ++i) keys.push_back({static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i), kFrenchNumberRow[i]});
  // The French letters on the places of the US ones.
  const char *french = "azertyuiopqsdfghjklmwxcvbn", *us = "qwertyuiopasdfghjkl;zxcvbn";
  for (int i = 0; i < 26; ++i)
    keys.push_back({us[i] == ';' ? SDL_SCANCODE_SEMICOLON : static_cast<SDL_Scancode>(SDL_SCANCODE_A + us[i] - 'a'), french[i]});
  std::set<int> codes;
  for (const Key& k : keys) {
    const int code = CodeOf(k);
    EXPECT_NE(code, 0) << "place " << k.place;
    EXPECT_TRUE(codes.insert(code).second) << "place " << k.place << " shares code " << code;
  }
}

TEST(KeyEvents, AltEnterAndF11SwitchFullscreenAndTheGameNeverSeesThem) {
  const Key alt{SDL_SCANCODE_LALT, SDLK_LALT}, enter{SDL_SCANCODE_RETURN, SDLK_RETURN}, f11{SDL_SCANCODE_F11, SDLK_F11},
            a{SDL_SCANCODE_Q, SDLK_a};
  KeyRouter router;
  KeyLog log;
  // Alt+Enter, the Enter key repeating, then let go in either order.
  EXPECT_EQ(router.Route(Event(true, alt, KMOD_LALT), &log), KeyRoute::kGame);
  EXPECT_EQ(router.Route(Event(true, enter, KMOD_LALT), &log), KeyRoute::kToggleFullscreen);
  EXPECT_EQ(router.Route(Event(true, enter, KMOD_LALT, true), &log), KeyRoute::kToggleKey);
  EXPECT_EQ(router.Route(Event(false, alt), &log), KeyRoute::kGame);
  EXPECT_EQ(router.Route(Event(true, enter, KMOD_NONE, true), &log), KeyRoute::kToggleKey);
  EXPECT_EQ(router.Route(Event(false, enter), &log), KeyRoute::kToggleKey);
  // F11, twice.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(router.Route(Event(true, f11), &log), KeyRoute::kToggleFullscreen);
    EXPECT_EQ(router.Route(Event(false, f11), &log), KeyRoute::kToggleKey);
  }
  EXPECT_TRUE(log.messages.empty());

  // Enter alone is a key of the game's; Alt alone is one when it is let go;
  // Alt with a letter gives only the letter.
  for (const auto& [down, key, mod] : {std::tuple{true, enter, KMOD_NONE}, {false, enter, KMOD_NONE},
                                       {true, alt, KMOD_LALT}, {false, alt, KMOD_NONE}, {true, alt, KMOD_LALT},
                                       {true, a, KMOD_LALT}, {false, a, KMOD_LALT}, {false, alt, KMOD_NONE}})
    router.Route(Event(down, key, mod), &log);
  EXPECT_EQ(log.messages, (std::vector<int>{13, -13, 18, -18, 65, -65}));
}

TEST(GameClock, HeadlessTimerTicksEvery30MsOfTheGameClock) {
  KeyLog sink;
  platform::InputSink* old = platform::GetInputSink();
  platform::SetInputSink(&sink);
  platform::StartWindowTimer(1, 30);
  const double start = platform::GameClockMs();
  // Eighteen flips are 300 ms: ten timer messages.
  for (int i = 0; i < 18; ++i) platform::AdvanceGameClock(platform::kClockUnitsPerFlip);
  EXPECT_DOUBLE_EQ(platform::GameClockMs() - start, 300.0);
  EXPECT_EQ(sink.timers, 10);
  platform::AdvanceGameClock(29 * platform::kClockUnitsPerMs);  // a sleep of 29 ms
  EXPECT_EQ(sink.timers, 10);
  platform::AdvanceGameClock(1 * platform::kClockUnitsPerMs);
  EXPECT_EQ(sink.timers, 11);
  platform::SetInputSink(old);
}

}  // namespace
