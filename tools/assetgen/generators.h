// The data files the generator writes, each by its own generator, and the
// review aids. Every generator writes the same bytes on every run.
//
// Threads: the generator runs on one thread.
#pragma once

#include <string>
#include <vector>

struct Generator {
  const char* name;
  // Writes the generator's file(s) into dir; false with a message on failure.
  bool (*write)(const std::string& dir, std::string* error);
};

// Every generator, in the order they run.
const std::vector<Generator>& AllGenerators();

// game.ini: the default configuration, 01 00 00.
bool WriteGameIni(const std::string& dir, std::string* error);

// intro.spr (the start-up picture) and small.spr (the game bank).
bool WriteSpriteBanks(const std::string& dir, std::string* error);

// level.frc: 1000 levels, the first 65 searched and checked with the game's
// own landscape and fort placement code.
bool WriteLevelFile(const std::string& dir, std::string* error);

// The tunes (music/tunes.h) are written by music::WriteTunes.

// Review aids.
bool WriteContactSheet(const std::string& dataDir, const std::string& pngPath, std::string* error);
bool WriteSoundWavs(const std::string& dir, std::string* error);
// Every tune rendered through the soundfont, past its loop point.
bool WriteTuneWavs(const std::string& dir, std::string* error);
bool WriteLevelPreviews(const std::string& dataDir, const std::string& dir, std::string* error);
