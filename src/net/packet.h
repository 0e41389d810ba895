// The packets of online play, as they travel over the link: what each kind
// carries, and their coding. A packet is at most kMaxPacketBytes; the decoder
// takes only a known kind with every field in its range and nothing left
// over, and refuses anything else (the caller drops it and counts it).
//
// Threads: any (plain data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "state/frame_record.h"

inline constexpr size_t kMaxPacketBytes = 4096;
inline constexpr uint16_t kNetProtocol = 1;
inline constexpr int kMostNetPlayers = 5;
// Records of one frames packet, few enough that it stays within its size.
inline constexpr size_t kMostFramesPerPacket = 160;
// What the game sends during play is kept within this many bytes, so that
// each packet travels whole in one datagram (ENet splits anything over about
// 1.4 KB): over a lossy link a packet then arrives or is lost at once, and
// never waits on a lost piece of itself.
inline constexpr size_t kMostWholeBytes = 1024;
// Bytes of the replay carried by one chunk.
inline constexpr size_t kReplayChunkBytes = 1000;
// Frame numbers of a game stay below this.
inline constexpr uint64_t kMostNetFrames = uint64_t{1} << 40;
// Replays sent to a spectator stay within this.
inline constexpr uint32_t kMostReplayBytes = 16u << 20;

enum class PacketKind : uint8_t {
  kHello = 1,   // joiner to host: protocol, game version, spectator or player, name
  kWelcome,     // host to joiner: its machine number, the display mode, the screens as designed or not
  kRefused,     // host to joiner: why (RefusalReason), and the host's version
  kLobby,       // host to all: the rounds and the players as set up so far
  kName,        // joiner to host: its player's new name
  kStart,       // host to all: a game begins; the frames played so far, the replay's size, who owns whom
  kReplay,      // host to all: a chunk of the game's replay (the header, or all so far for a spectator)
  kFrames,      // either way: the input records of consecutive frames
  kHandOver,    // host to all: from a frame on, a player is the computer's
  kCheck,       // host to all: the state checksum taken at a frame (the count-th of the game)
  kOutOfSync,   // either way: the checksums differed at a frame
  kEnd,         // host to all: the game ends (EndReason)
};

enum class RefusalReason : uint8_t { kVersion = 1, kFull, kStarted };
enum class EndReason : uint8_t { kHostLeft = 1 };

struct LobbyPlayer {
  std::string name;
  uint8_t colour = 0;    // 0..4
  uint8_t control = 0;   // 0 human, 1 computer
  uint8_t strength = 0;  // 0..2
  uint8_t machine = 0;   // 0 the host's, else a joined machine's number
  bool operator==(const LobbyPlayer&) const = default;
};

struct Packet {
  PacketKind kind = PacketKind::kHello;
  uint16_t protocol = kNetProtocol;  // hello
  std::string version;               // hello, refused
  bool spectator = false;            // hello
  std::string name;                  // hello, name
  uint8_t machine = 0;               // welcome: the joiner's number (1..)
  uint8_t displayOption = 1;         // welcome: 0..3
  bool classic = false;              // welcome
  uint8_t reason = 0;                // refused, end
  int32_t rounds = 0;                // lobby: 0 endless
  std::vector<LobbyPlayer> players;  // lobby; start (owners only: machine)
  uint64_t frame = 0;                // start, frames (the first), hand-over, check, out-of-sync
  uint32_t total = 0;                // start, replay: the replay's size in bytes
  uint32_t offset = 0;               // replay: where the chunk goes
  std::vector<uint8_t> bytes;        // replay
  std::vector<FrameRecord> records;  // frames
  uint8_t player = 0;                // hand-over
  uint32_t count = 0;                // check
  uint32_t sum = 0;                  // check
};

std::vector<uint8_t> EncodePacket(const Packet& p);
// The records of frames first, first + 1, ... as frames packets, in order,
// each of at most kMostFramesPerPacket records and kMostWholeBytes (a packet
// over it carries half as many records, and so on).
std::vector<std::vector<uint8_t>> EncodeFrames(uint64_t first, const std::vector<FrameRecord>& records);
// False for anything but a well-formed packet of a known kind.
bool DecodePacket(const uint8_t* data, size_t size, Packet* out);
