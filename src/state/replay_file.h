// The replay file: a header (format tag and version, the game's version, the
// random generator's state when PLAY GAME was pressed, the display mode, the
// frame count and game clock then, the input record then, the round after
// which the game ends (its rounds), and each player's
// name, colour, control and strength), then the stream: the frame records that differ
// from the one before (with the count of frames between), the checksums of
// the game's state, the online players handed to the computer, and the
// game's length in frames; last, a CRC-32 of all the
// bytes before it. The reader refuses a file that is damaged, truncated,
// oversized or from another version with one message, and reads nothing out
// of bounds.
//
// Threads: any (plain data; the caller owns it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "state/frame_record.h"

inline constexpr uint16_t kReplayFormatVersion = 3;
inline constexpr size_t kReplayMaxBytes = 64u << 20;
inline constexpr size_t kReplayNameLength = 12;

struct ReplayPlayer {
  std::string name;
  int16_t colourIndex = 0;  // 0..4
  uint16_t control = 0;     // 0 human, 1 computer
  int16_t strength = 0;     // 0 normal, 1 hard, 2 easy (as the player record)
};

struct ReplayHeader {
  std::string gameVersion;
  uint32_t randomState = 0;
  uint8_t displayOption = 1;  // 0..3 as game.ini's first byte
  uint64_t startFrames = 0;   // frames shown before the game began
  int64_t startClock = 0;     // the game clock then, in its units
  FrameRecord startRecord;
  uint32_t lastRound = 0;     // the game's last round (its rounds to play); 0 endless
  std::vector<ReplayPlayer> players;  // 2..5
};

// From frame `frame` on (counted from the game's first), the input is `record`.
struct ReplayChange {
  uint64_t frame = 0;
  FrameRecord record;
};

// The checksum of the game's state at a frame.
struct ReplayCheck {
  uint64_t frame = 0;
  uint32_t sum = 0;
};

// From frame `frame` on, a player of an online game who left is played by
// the computer.
struct ReplayHandOver {
  uint64_t frame = 0;
  uint8_t player = 0;
};

struct Replay {
  ReplayHeader header;
  std::vector<ReplayChange> changes;  // frames in rising order, the first at frame 0
  std::vector<ReplayHandOver> handOvers;  // frames in non-falling order
  std::vector<ReplayCheck> checks;    // frames in non-falling order
  uint64_t frames = 0;                // the game's length
};

// CRC-32 (the common polynomial 0xEDB88320), continuing from crc.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

std::vector<uint8_t> EncodeReplay(const Replay& replay);
// False with a one-line reason in *error.
bool DecodeReplay(const uint8_t* data, size_t size, Replay* out, std::string* error);
