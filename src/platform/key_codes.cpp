#include "platform/key_codes.h"

#include <SDL.h>

#include <iterator>

namespace platform {

static_assert(kHighestKeyCode == kOwnKeyCodeBase + SDL_NUM_SCANCODES - 1);

namespace {

struct KeyCode {
  int key;  // an SDL key code, or a scancode in kByPlace
  int vk;
};

// Keys by what they are, with their Windows codes.
constexpr KeyCode kBySymbol[] = {
    {SDLK_BACKSPACE, 0x08},   {SDLK_TAB, 0x09},          {SDLK_CLEAR, 0x0C},        {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},    {SDLK_LSHIFT, 0x10},       {SDLK_RSHIFT, 0x10},       {SDLK_LCTRL, 0x11},
    {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},         {SDLK_RALT, 0x12},         {SDLK_MODE, 0x12},
    {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},     {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},      {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},          {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},        {SDLK_UP, 0x26},           {SDLK_RIGHT, 0x27},        {SDLK_DOWN, 0x28},
    {SDLK_SELECT, 0x29},      {SDLK_EXECUTE, 0x2B},      {SDLK_PRINTSCREEN, 0x2C},  {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},      {SDLK_HELP, 0x2F},         {SDLK_LGUI, 0x5B},         {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D}, {SDLK_MENU, 0x5D},         {SDLK_SLEEP, 0x5F},        {SDLK_KP_0, 0x60},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},      {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},   {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},   {SDLK_AC_BACK, 0xA6},
    {SDLK_AC_FORWARD, 0xA7},  {SDLK_AC_REFRESH, 0xA8},   {SDLK_AC_STOP, 0xA9},      {SDLK_AC_SEARCH, 0xAA},
    {SDLK_AC_BOOKMARKS, 0xAB}, {SDLK_AC_HOME, 0xAC},     {SDLK_AUDIOMUTE, 0xAD},    {SDLK_VOLUMEDOWN, 0xAE},
    {SDLK_VOLUMEUP, 0xAF},    {SDLK_AUDIONEXT, 0xB0},    {SDLK_AUDIOPREV, 0xB1},    {SDLK_AUDIOSTOP, 0xB2},
    {SDLK_AUDIOPLAY, 0xB3},   {SDLK_MAIL, 0xB4},         {SDLK_MEDIASELECT, 0xB5},  {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},        {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

// Keys that give a character no code stands for (an accented letter, a dead
// key, '²', '!'...): the Windows code of the key in that place on a US keyboard.
constexpr KeyCode kByPlace[] = {
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_EQUALS, 0xBB},       {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},     {SDL_SCANCODE_PERIOD, 0xBE},       {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},     {SDL_SCANCODE_LEFTBRACKET, 0xDB},  {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_APOSTROPHE, 0xDE}, {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
};

int Find(const KeyCode* table, int count, int key) {
  for (int i = 0; i < count; ++i)
    if (table[i].key == key) return table[i].vk;
  return 0;
}

}  // namespace

int VirtualKeyFromSdl(int scancode, int key) {
  // The number row by its place: Windows gives '1'..'9', '0' for it on every layout.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);  // VK_NUMPAD1..9
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return 0x7C + (key - SDLK_F13);
  if (int vk = Find(kBySymbol, static_cast<int>(std::size(kBySymbol)), key)) return vk;
  // A letter key of a layout without Latin letters: the letter of its place.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (int vk = Find(kByPlace, static_cast<int>(std::size(kByPlace)), scancode)) return vk;
  if (scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES) return kOwnKeyCodeBase + scancode;
  return kUnnamedKeyCode;
}

}  // namespace platform
