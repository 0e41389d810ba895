// Runs the real game binary headless with a script, for end-to-end tests:
// a fresh folder per run with the data files the test chooses, and the
// results (exit code, stderr, the JSON summary, screenshots) read back.
#pragma once

#include <nlohmann/json.hpp>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A screenshot's pixels as 5-6-5 values (empty when it could not be read).
struct Shot {
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  uint16_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

// How many pixels of two pictures of the same size differ.
int CountDiffering(const Shot& a, const Shot& b);

struct GameRun {
  std::string dir;       // the run's folder (data, script, shots, state.json)
  int exitCode = -1;
  std::string stderrText;
  nlohmann::json state;  // the --state-out summary (null if none was written)

  // The picture saved by `shot NAME`.
  Shot LoadShot(const std::string& name) const;
  std::vector<std::string> Messages() const;
  // Ended with exit code 0 and having shown no message.
  bool Clean() const { return exitCode == 0 && Messages().empty(); }
  // A summary written by the script command `state NAME` (null if none).
  nlohmann::json Snapshot(const std::string& name) const;
  // The 16-bit samples SDL's disk audio driver wrote (see RunOptions::diskAudio).
  std::vector<int16_t> DiskAudio() const;
};

struct RunOptions {
  std::string script;                  // the script's text
  std::vector<uint8_t> gameIni = {1, 0, 0};  // empty: no game.ini at all
  bool withGeneratedData = true;       // copy build/data's banks, sounds and levels
  bool withTunes = false;              // copy build/data's tunes too (the title then plays music)
  bool diskAudio = false;              // the sound output goes to the file audio.raw
  // Further files for the data folder (name, bytes), written after the others;
  // a name ending in '/' is made a directory.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> dataFiles;
  std::vector<std::string> extraArgs;
  bool headless = true;                // false: as a player starts it, with no --headless
  std::vector<std::string> env;        // NAME=VALUE for the game's environment; NAME alone removes it
                                       // (XDG_CONFIG_HOME is the run's config/ unless set here)
  int timeoutSeconds = 60;
  // Send SIGTERM a second after this shot has been saved (none: never); the
  // shot tells that the game is up and running.
  std::string sigtermAfterShot;
  // Start only once this file holds this text (waiting at most
  // timeoutSeconds); kill the game (SIGKILL, as a crash) once that one does.
  std::string startAfterFile, startAfterText, killAfterFile, killAfterText;
  // Told the run's folder as the game starts.
  std::function<void(const std::string& dir)> onStart;
};

GameRun RunGame(const std::string& tag, const RunOptions& options);

// A file's bytes (empty when it cannot be read).
std::string ReadFile(const std::string& path);

// Script lines: a click at (x, y) at ms (press and release in the same frame
// when quick, else 50 ms apart), and "MS COMMAND".
std::string Click(int ms, int x, int y, bool quick = false);
std::string At(int ms, const std::string& command);

}  // namespace e2e
