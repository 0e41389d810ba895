// Command-line options of the game binary (the original design has none; these
// serve players and the headless test harness). Parsed once on the main thread.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct Options {
  bool windowed = false;      // a window instead of fullscreen on the desktop
  int scale = 0;              // window scale factor; 0 picks one that fits
  int displayOption = -1;     // --mode: the display option of game.ini it stands for, 0..3; -1 none
  std::string dataDir;        // where the data files are; empty: working dir, then beside the binary
  bool headless = false;      // dummy drivers, no pacing, message boxes logged
  std::string scriptFile;     // scripted input
  std::string shotDir;        // where `shot` saves PNG files
  std::string stateOut;       // JSON summary written at exit
  bool noMusic = false;       // the tunes stay silent
  int autoplay = 0;           // a game of this many computer players (2..5) straight from start-up; 0 none
  int rounds = 0;             // the rounds of every game (as the main menu's choice); 0 endless
  std::string recordFile;     // where the replay of a game goes; empty: the replays folder
  std::string replayFile;     // a recorded game to play back instead of the title
  bool classic = false;       // the screens exactly as designed: no player aids, rounds choice or strengths
  std::vector<int> levels;    // --levels: the --autoplay players' strengths, 0 normal, 1 hard, 2 easy
  int hostPort = 0;           // --host: the port online play listens on; 0 not hosting
  std::string joinAddress;    // --join or --watch: the host's address
  int joinPort = 0;           // and its port
  bool watch = false;         // --watch: follow the game without a player
  std::string name;           // --name: the joined player's name (capitals, at most 12)
  bool help = false;
  bool version = false;       // print the version and end
};

// Parses argv into *out. False with a message in *error on a bad option.
bool ParseOptions(int argc, char** argv, Options* out, std::string* error);

// The --help text.
std::string UsageText();

// The port online play uses unless told another.
inline constexpr int kDefaultNetPort = 47300;

// The display modes of --mode, in the order of game.ini's display option.
inline constexpr const char* kDisplayModes[] = {"320x240", "640x480", "800x600", "1024x768"};

}  // namespace platform
