// Runs the real game binary headless with a script, for end-to-end tests:
// a fresh folder per run with the data files the test chooses, and the
// results (exit code, stderr, the JSON summary, screenshots) read back.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct GameRun {
  std::string dir;       // the run's folder (data, script, shots, state.json)
  int exitCode = -1;
  std::string stderrText;
  nlohmann::json state;  // the --state-out summary (null if none was written)

  // Pixels of a screenshot saved by `shot NAME`, as 5-6-5 values.
  bool LoadShot(const std::string& name, std::vector<uint16_t>* pixels, int* width, int* height) const;
  std::vector<std::string> Messages() const;
  // A summary written by the script command `state NAME` (null if none).
  nlohmann::json Snapshot(const std::string& name) const;
  // The 16-bit samples SDL's disk audio driver wrote to the file `name` in
  // the run's folder (empty when there is none).
  std::vector<int16_t> DiskAudio(const std::string& name) const;
};

// The JSON in a file (null when it is missing or not JSON).
nlohmann::json ReadJson(const std::string& path);

struct RunOptions {
  std::string script;                  // the script's text
  std::vector<uint8_t> gameIni = {1, 0, 0};  // empty: no game.ini at all
  bool withGeneratedData = true;       // copy build/data's banks, sounds and levels
  bool withTunes = false;              // copy build/data's tunes too (the title then plays music)
  // Further files for the data folder (name, bytes), written after the others.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> dataFiles;
  std::vector<std::string> extraArgs;
  bool headless = true;                // false: as a player starts it, with no --headless
  std::vector<std::string> env;        // NAME=VALUE for the game's environment; NAME alone removes it
  int timeoutSeconds = 60;
  // Send SIGTERM this long after the shot sigtermAfterShot has been saved
  // (-1: never); the shot tells that the game is up and running.
  int sigtermAfterMs = -1;
  std::string sigtermAfterShot;
};

// A new empty folder under the test temp directory.
std::string MakeTempDir(const std::string& tag);

GameRun RunGame(const std::string& tag, const RunOptions& options);

// Writes bytes to path.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);

}  // namespace e2e
