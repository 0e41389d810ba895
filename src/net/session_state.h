// The state of online play's session and the helpers its host's and joined
// machines' parts share (net/ only: the rest of the game uses net_session.h).
//
// Threads: the game thread (the session is opened on the main thread before
// the game thread runs).
#pragma once

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "net/enet_link.h"
#include "net/net_session.h"
#include "net/packet.h"
#include "net/send_policy.h"
#include "state/frame_record.h"
#include "state/player_record.h"

namespace net_detail {

using Clock = std::chrono::steady_clock;

constexpr int kMostMachines = 16;  // joined players and spectators together
constexpr int kKeyEsc = 27;
constexpr int kKeyY = 'Y', kKeyN = 'N';
// A joined machine's input may run this far ahead of the host; a spectator's
// or joiner's stream holds at most this many frames not yet played.
constexpr uint64_t kMostAhead = uint64_t{1} << 15;
constexpr uint64_t kMostStream = uint64_t{1} << 22;
// A spectator this far behind the frames it has catches up unseen, under
// the loading picture; any machine this far behind skips showing frames.
constexpr uint64_t kCatchUpFrames = 30;
constexpr uint64_t kBehindFrames = 3;

struct Remote {
  bool connected = false;
  bool welcomed = false;
  bool spectator = false;
  bool live = false;  // receives the game's frames
  bool gone = false;  // left during the game: its player awaits the computer
  std::string name;
  int slot = -1;      // its player
  std::map<uint64_t, FrameRecord> frames;  // the input it sent, by frame
};

struct Session {
  NetRole role = NetRole::kOffline;
  NetLink link;
  NetStats stats;
  bool inGame = false;
  uint64_t frame = 0;
  std::array<uint8_t, kMaxPlayers> machineOf{};
  // What this machine decided and has not sent yet (the host: every frame;
  // a joined player: its own).
  uint64_t batchFirst = 0;
  std::vector<FrameRecord> batch;
  Clock::time_point lastFlush;
  uint32_t checks = 0;
  bool leaveAsked = false;
  std::function<std::vector<uint8_t>()> replaySource;
  std::function<void(int)> handOverHook;
  int holdRound = 0;  // the host waits for a spectator when this round begins
  int holdMs = 0;

  // The host's.
  std::array<Remote, kMostMachines + 1> remotes;  // by machine number
  bool lobbyOpen = false;
  Packet lobbySent;

  // A joined machine's.
  int me = 0;
  bool hostGone = false;
  std::vector<LobbyPlayer> lobby;
  int32_t lobbyRounds = 0;
  Packet start;
  bool starting = false;
  std::vector<uint8_t> replayBytes;
  bool arrived = false;
  Replay arrivedReplay;  // the game's start (and so far), until the game takes it
  std::deque<FrameRecord> stream;  // the host's frames from streamBase on
  uint64_t streamBase = 0;
  std::multimap<uint64_t, uint8_t> handOvers;
  std::map<uint32_t, std::pair<uint64_t, uint32_t>> ownSums;  // by count: frame, sum
  std::map<uint32_t, uint32_t> hostSums;
};

extern Session g_net;

Packet Kind(PacketKind kind);
void SendTo(int machine, const Packet& p);
bool Host();
void SendToLive(const Packet& p);
void SendBatch();
void Flush();
// The batch goes out if the rule says so (aboutToWait: this machine waits next).
void SendIfDue(bool aboutToWait);
void AddToBatch(uint64_t frame, const FrameRecord& r);
void WaitEnded(Clock::time_point since);
[[noreturn]] void GameOver(const std::string& message, bool outOfSync = false);
[[noreturn]] void OutOfSync(uint64_t frame);
void Service(int waitMs);
void LiveLocalKeys();
int OwnerMachine();
void HandOver(int player);

// The host's part.
void HostEvent(const NetLink::Event& e);
void HostHandOvers();
FrameRecord HostRecord();
void HoldAtRound();
// A joined machine's part.
void GuestEvent(const NetLink::Event& e);
FrameRecord GuestRecord(bool own);

}  // namespace net_detail
