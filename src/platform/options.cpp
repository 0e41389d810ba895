#include "platform/options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace platform {

std::string UsageText() {
  return
      "Usage: bulwark [OPTIONS]\n"
      "\n"
      "Bulwark, a turn-based artillery game for two to five players.\n"
      "\n"
      "Options:\n"
      "  --windowed         play in a window instead of fullscreen\n"
      "  --scale N          window size as N times the game's screen size (1-8)\n"
      "  --mode WxH         the game's screen size for this run: 320x240, 640x480,\n"
      "                     800x600 or 1024x768 (instead of what game.ini says)\n"
      "  --data-dir DIR     read the data files (game.ini, intro.spr, small.spr,\n"
      "                     sound.sdf, level.frc) from DIR; by default from the\n"
      "                     working directory, else from data/ beside the program,\n"
      "                     else from ../share/bulwark beside it (as installed)\n"
      "  --headless         no window; sound goes to SDL's dummy audio driver\n"
      "                     unless SDL_AUDIODRIVER names another; no frame pacing;\n"
      "                     message boxes are printed to stderr and dismissed\n"
      "  --script FILE      scripted input, one 'TIME COMMAND ARGS' per line, TIME\n"
      "                     in milliseconds of the game's clock; commands: key CODE,\n"
      "                     mouse X Y, ldown, lup, rdown, rup, shot NAME.png,\n"
      "                     lose-display, restore-display, quit, sound N (plays\n"
      "                     sound effect N), wait-sound (waits until it is heard),\n"
      "                     wait-music MS (waits until MS ms of music are heard)\n"
      "  --shot-dir DIR     where 'shot' saves its pictures (default: .)\n"
      "  --state-out FILE   write a JSON summary of the game at exit\n"
      "  --no-music         no music (sound effects still play)\n"
      "  --autoplay N       a game of N computer players (2-5) straight from start-up,\n"
      "                     without the wait for a key and the title; headless, it\n"
      "                     runs as fast as it can\n"
      "  --rounds R         every game ends after the results of round R with the\n"
      "                     final standings (the main menu's rounds choice)\n"
      "  --levels L,L,...   the strengths of the --autoplay players, in order:\n"
      "                     easy, normal or hard (normal when not given)\n"
      "  --record FILE      write the replay of each game to FILE (by default every\n"
      "                     game goes to $XDG_DATA_HOME/bulwark/replays/)\n"
      "  --replay FILE      play a recorded game back (Tab fast-forwards, Esc then Y\n"
      "                     leaves)\n"
      "  --classic          the screens exactly as designed: no overview map, arrows,\n"
      "                     aim readout, round clock, stock figures or flag poles,\n"
      "                     no rounds choice, no computer strengths, no standings\n"
      "                     after a quit\n"
      "  --host [PORT]      host an online game: others join it over the network\n"
      "                     (UDP port PORT, 47300 when not given); the player\n"
      "                     set-up is the lobby, PLAY GAME starts it everywhere\n"
      "  --join ADDRESS[:PORT]\n"
      "                     join the online game hosted at ADDRESS with one player\n"
      "  --watch ADDRESS[:PORT]\n"
      "                     watch the online game hosted at ADDRESS, even one under\n"
      "                     way (the game so far is played quickly to catch up)\n"
      "  --name NAME        the joined player's name (letters, digits and spaces, at\n"
      "                     most 12; by default the login name)\n"
      "  --help             show this text\n"
      "  --version          show the game's version\n"
      "\n"
      "Alt+Enter or F11 switches between fullscreen and a window at any time.\n";
}

namespace {

bool TakeValue(int argc, char** argv, int* i, std::string* value, std::string* error) {
  if (*i + 1 >= argc) {
    *error = std::string("option ") + argv[*i] + " needs a value";
    return false;
  }
  *value = argv[++*i];
  return true;
}

// A whole number from low to high as the value of the option at *i.
bool TakeNumber(int argc, char** argv, int* i, long low, long high, int* out, std::string* error) {
  const char* option = argv[*i];
  std::string value;
  if (!TakeValue(argc, argv, i, &value, error)) return false;
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || errno != 0 || n < low || n > high) {
    *error = std::string(option) + " wants a whole number from " + std::to_string(low) + " to " +
             std::to_string(high) + ", not '" + value + "'";
    return false;
  }
  *out = static_cast<int>(n);
  return true;
}

// "easy,normal,hard" as strengths; false on an empty or unknown name, or
// more than five.
bool ParseLevels(const std::string& value, std::vector<int>* out, std::string* error) {
  out->clear();
  size_t start = 0;
  for (;;) {
    const size_t comma = value.find(',', start);
    const std::string name = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (name == "normal") {
      out->push_back(0);
    } else if (name == "hard") {
      out->push_back(1);
    } else if (name == "easy") {
      out->push_back(2);
    } else {
      *error = "--levels wants easy, normal or hard separated by commas, not '" + name + "'";
      return false;
    }
    if (out->size() > 5) {
      *error = "--levels names at most five players";
      return false;
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

// ADDRESS or ADDRESS:PORT as the host to join.
bool ParseAddress(const char* option, const std::string& value, Options* out, std::string* error) {
  out->joinAddress = value;
  out->joinPort = kDefaultNetPort;
  if (const size_t colon = value.rfind(':'); colon != std::string::npos) {
    const std::string port = value.substr(colon + 1);
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(port.c_str(), &end, 10);
    if (port.empty() || *end != '\0' || errno != 0 || n < 1 || n > 65535) {
      *error = std::string(option) + " wants ADDRESS or ADDRESS:PORT with a port from 1 to 65535, not '" + value + "'";
      return false;
    }
    out->joinAddress = value.substr(0, colon);
    out->joinPort = static_cast<int>(n);
  }
  if (out->joinAddress.empty()) {
    *error = std::string(option) + " wants the host's address";
    return false;
  }
  return true;
}

// A player's name as typed in the set-up: small letters become capitals.
bool ParseName(const std::string& value, std::string* out, std::string* error) {
  out->clear();
  for (char c : value) {
    const char up = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (!((up >= 'A' && up <= 'Z') || (up >= '0' && up <= '9') || up == ' ')) {
      *error = "--name takes letters, digits and spaces, not '" + value + "'";
      return false;
    }
    *out += up;
  }
  if (out->empty() || out->size() > 12) {
    *error = "--name wants 1 to 12 characters, not '" + value + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ParseOptions(int argc, char** argv, Options* out, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    std::string value;
    if (!std::strcmp(a, "--windowed")) {
      out->windowed = true;
    } else if (!std::strcmp(a, "--headless")) {
      out->headless = true;
    } else if (!std::strcmp(a, "--classic")) {
      out->classic = true;
    } else if (!std::strcmp(a, "--no-music")) {
      out->noMusic = true;
    } else if (!std::strcmp(a, "--levels")) {
      if (!TakeValue(argc, argv, &i, &value, error) || !ParseLevels(value, &out->levels, error)) return false;
    } else if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
      out->help = true;
    } else if (!std::strcmp(a, "--version")) {
      out->version = true;
    } else if (!std::strcmp(a, "--scale")) {
      if (!TakeNumber(argc, argv, &i, 1, 8, &out->scale, error)) return false;
    } else if (!std::strcmp(a, "--autoplay")) {
      if (!TakeNumber(argc, argv, &i, 2, 5, &out->autoplay, error)) return false;
    } else if (!std::strcmp(a, "--rounds")) {
      if (!TakeNumber(argc, argv, &i, 1, 1000000, &out->rounds, error)) return false;
    } else if (!std::strcmp(a, "--mode")) {
      if (!TakeValue(argc, argv, &i, &value, error)) return false;
      out->displayOption = -1;
      for (int m = 0; m < static_cast<int>(std::size(kDisplayModes)); ++m)
        if (value == kDisplayModes[m]) out->displayOption = m;
      if (out->displayOption < 0) {
        *error = "--mode wants 320x240, 640x480, 800x600 or 1024x768, not '" + value + "'";
        return false;
      }
    } else if (!std::strcmp(a, "--data-dir")) {
      if (!TakeValue(argc, argv, &i, &out->dataDir, error)) return false;
    } else if (!std::strcmp(a, "--script")) {
      if (!TakeValue(argc, argv, &i, &out->scriptFile, error)) return false;
    } else if (!std::strcmp(a, "--shot-dir")) {
      if (!TakeValue(argc, argv, &i, &out->shotDir, error)) return false;
    } else if (!std::strcmp(a, "--record")) {
      if (!TakeValue(argc, argv, &i, &out->recordFile, error)) return false;
    } else if (!std::strcmp(a, "--replay")) {
      if (!TakeValue(argc, argv, &i, &out->replayFile, error)) return false;
    } else if (!std::strcmp(a, "--host")) {
      out->hostPort = kDefaultNetPort;
      if (i + 1 < argc && argv[i + 1][0] >= '0' && argv[i + 1][0] <= '9' &&
          !TakeNumber(argc, argv, &i, 1, 65535, &out->hostPort, error))
        return false;
    } else if (!std::strcmp(a, "--join") || !std::strcmp(a, "--watch")) {
      out->watch = !std::strcmp(a, "--watch");
      if (!TakeValue(argc, argv, &i, &value, error) || !ParseAddress(a, value, out, error)) return false;
    } else if (!std::strcmp(a, "--name")) {
      if (!TakeValue(argc, argv, &i, &value, error) || !ParseName(value, &out->name, error)) return false;
    } else if (!std::strcmp(a, "--state-out")) {
      if (!TakeValue(argc, argv, &i, &out->stateOut, error)) return false;
    } else {
      *error = std::string("unknown option '") + a + "'";
      return false;
    }
  }
  const int online = (out->hostPort > 0) + !out->joinAddress.empty();
  if (online > 1 || (online > 0 && (out->autoplay > 0 || !out->replayFile.empty()))) {
    *error = "--host, --join or --watch, --autoplay and --replay exclude each other";
    return false;
  }
  return true;
}

}  // namespace platform
