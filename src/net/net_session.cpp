#include "net/net_session.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <map>

#include "net/enet_link.h"
#include "platform/runtime.h"
#include "platform/version.h"
#include "state/record_codec.h"
#include "state/frame_record.h"
#include "state/player_record.h"
#include "state/shared_state.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMostMachines = 16;  // joined players and spectators together
constexpr int kKeyEsc = 27;
constexpr int kKeyY = 'Y', kKeyN = 'N';
// A joined machine's input may run this far ahead of the host; a spectator's
// or joiner's stream holds at most this many frames not yet played.
constexpr uint64_t kMostAhead = uint64_t{1} << 18;
constexpr uint64_t kMostStream = uint64_t{1} << 22;
// What was played goes out at least this often (and before any wait).
constexpr auto kFlushEvery = std::chrono::milliseconds(4);
// A wait for a frame gives up after this much silence (ENet's own time-out
// of 10 s normally ends it first).
constexpr auto kLongestWait = std::chrono::seconds(30);
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

Session g_net;

Packet Kind(PacketKind kind) {
  Packet p;
  p.kind = kind;
  return p;
}

void SendTo(int machine, const Packet& p) { g_net.link.Send(machine, EncodePacket(p)); }

bool Host() { return g_net.role == NetRole::kHost; }

void SendToLive(const Packet& p) {
  const std::vector<uint8_t> bytes = EncodePacket(p);
  for (int m = 1; m <= kMostMachines; ++m)
    if (g_net.remotes[m].live) g_net.link.Send(m, bytes);
}

// The batch goes out as frames packets: from the host to every machine
// following the game, from a joined player to the host.
void SendBatch() {
  for (size_t at = 0; at < g_net.batch.size(); at += kMostFramesPerPacket) {
    Packet p = Kind(PacketKind::kFrames);
    p.frame = g_net.batchFirst + at;
    const size_t n = std::min(kMostFramesPerPacket, g_net.batch.size() - at);
    p.records.assign(g_net.batch.begin() + static_cast<long>(at), g_net.batch.begin() + static_cast<long>(at + n));
    if (Host())
      SendToLive(p);
    else
      SendTo(0, p);
  }
  g_net.batchFirst += g_net.batch.size();
  g_net.batch.clear();
}

void Flush() {
  SendBatch();
  g_net.link.Flush();
  g_net.lastFlush = Clock::now();
}

void AddToBatch(uint64_t frame, const FrameRecord& r) {
  if (g_net.batch.empty()) g_net.batchFirst = frame;
  g_net.batch.push_back(r);
  if (g_net.batch.size() >= kMostFramesPerPacket) SendBatch();
}

// A wait for a frame has ended.
void WaitEnded(Clock::time_point since) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
  g_net.stats.longestWaitMs = std::max<uint64_t>(g_net.stats.longestWaitMs, static_cast<uint64_t>(ms));
}

[[noreturn]] void GameOver(const std::string& message, bool outOfSync = false) {
  g_net.inGame = false;
  g_net.leaveAsked = false;
  throw NetGameOver{message, outOfSync};
}

[[noreturn]] void OutOfSync(uint64_t frame) {
  Packet p = Kind(PacketKind::kOutOfSync);
  p.frame = frame;
  if (Host()) {
    SendToLive(p);
  } else {
    SendTo(0, p);
  }
  g_net.link.Flush();
  GameOver("OUT OF SYNC AT FRAME " + std::to_string(frame), true);
}

// ---- The host ----

int LobbyCount() {
  int joined = 0;
  for (const Remote& r : g_net.remotes)
    if (r.welcomed && !r.spectator && r.slot < 0) ++joined;
  return (g_net.lobbyOpen ? g_game.numberOfPlayers : 1) + joined;
}

void Refuse(int machine, RefusalReason reason) {
  Packet p = Kind(PacketKind::kRefused);
  p.reason = static_cast<uint8_t>(reason);
  p.version = kGameVersion;
  SendTo(machine, p);
  g_net.link.Drop(machine);
}

// The game so far, to a spectator: the start, then the replay in chunks;
// then it follows live.
void SendGameSoFar(int machine, const std::vector<uint8_t>& replay) {
  Packet start = Kind(PacketKind::kStart);
  start.frame = g_net.frame;
  start.total = static_cast<uint32_t>(replay.size());
  for (int i = 0; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i) {
    LobbyPlayer owner;
    owner.machine = g_net.machineOf[i];
    start.players.push_back(owner);
  }
  SendTo(machine, start);
  for (size_t at = 0; at < replay.size(); at += kReplayChunkBytes) {
    Packet chunk = Kind(PacketKind::kReplay);
    chunk.total = start.total;
    chunk.offset = static_cast<uint32_t>(at);
    chunk.bytes.assign(replay.begin() + static_cast<long>(at),
                       replay.begin() + static_cast<long>(std::min(replay.size(), at + kReplayChunkBytes)));
    SendTo(machine, chunk);
  }
  g_net.remotes[machine].live = true;
}

void RemoveLobbySlot(int slot) {
  const int n = g_game.numberOfPlayers;
  for (int i = slot; i + 1 < n && i + 1 < kMaxPlayers; ++i) {
    g_players[i] = g_players[i + 1];
    g_net.machineOf[i] = g_net.machineOf[i + 1];
  }
  if (n > 0) g_net.machineOf[n - 1] = 0;
  g_game.numberOfPlayers = static_cast<uint16_t>(n - 1);
  for (Remote& r : g_net.remotes)
    if (r.slot > slot) --r.slot;
}

void HostHello(int machine, const Packet& p) {
  Remote& r = g_net.remotes[machine];
  if (r.welcomed) {
    ++g_net.stats.dropped;
    return;
  }
  if (p.protocol != kNetProtocol || p.version != kGameVersion) return Refuse(machine, RefusalReason::kVersion);
  if (!p.spectator && g_net.inGame) return Refuse(machine, RefusalReason::kStarted);
  if (!p.spectator && LobbyCount() >= kMostNetPlayers) return Refuse(machine, RefusalReason::kFull);
  r.welcomed = true;
  r.spectator = p.spectator;
  r.name = p.name.empty() ? "PLAYER " + std::to_string(machine) : p.name;
  Packet welcome = Kind(PacketKind::kWelcome);
  welcome.machine = static_cast<uint8_t>(machine);
  welcome.displayOption = g_config.displayOption;
  welcome.classic = platform::GetOptions().classic;
  SendTo(machine, welcome);
  g_net.lobbySent = Packet();  // the newcomer gets the lobby at the next frame of it
  if (p.spectator && g_net.inGame) {
    Flush();  // those following already have every frame before this one
    SendGameSoFar(machine, g_net.replaySource ? g_net.replaySource() : std::vector<uint8_t>());
  }
}

void HostFrames(int machine, const Packet& p) {
  Remote& r = g_net.remotes[machine];
  if (!g_net.inGame || r.slot < 0 || r.spectator || p.frame < g_net.frame ||
      p.frame + p.records.size() > g_net.frame + kMostAhead) {
    ++g_net.stats.dropped;
    return;
  }
  for (size_t i = 0; i < p.records.size(); ++i) r.frames[p.frame + i] = p.records[i];
}

void HostPacket(int machine, const Packet& p) {
  Remote& r = g_net.remotes[machine];
  switch (p.kind) {
    case PacketKind::kHello:
      return HostHello(machine, p);
    case PacketKind::kName:
      if (!r.welcomed || r.spectator || g_net.inGame || p.name.empty()) break;
      r.name = p.name;
      if (r.slot >= 0) g_players[r.slot].name = p.name;
      return;
    case PacketKind::kFrames:
      return HostFrames(machine, p);
    case PacketKind::kOutOfSync:
      if (!r.welcomed || !g_net.inGame || p.frame > g_net.frame + kMostAhead) break;
      OutOfSync(p.frame);
    default:
      break;
  }
  ++g_net.stats.dropped;
}

void HostEvent(const NetLink::Event& e) {
  if (e.machine < 1 || e.machine > kMostMachines) return;
  Remote& r = g_net.remotes[e.machine];
  if (e.type == NetLink::Event::kConnect) {
    r = Remote();
    r.connected = true;
  } else if (e.type == NetLink::Event::kDisconnect) {
    if (g_net.inGame && r.slot >= 0 && !r.spectator) {
      r.gone = true;  // handed to the computer at the next frame where nobody is ahead
      r.connected = r.live = false;
      r.frames.clear();
      return;
    }
    if (g_net.lobbyOpen && r.slot >= 0) RemoveLobbySlot(r.slot);
    r = Remote();
  } else if (e.type == NetLink::Event::kReceive) {
    Packet p;
    if (!r.connected || !DecodePacket(e.bytes.data(), e.bytes.size(), &p)) {
      ++g_net.stats.dropped;
      return;
    }
    HostPacket(e.machine, p);
  }
}

// ---- A joined machine ----

// The replay so far has come whole: its frames become the start of the
// stream (a spectator plays the game from its start like everyone else).
void Arrive() {
  std::string error;
  Replay& replay = g_net.arrivedReplay;
  if (!DecodeReplay(g_net.replayBytes.data(), g_net.replayBytes.size(), &replay, &error) ||
      replay.frames != g_net.start.frame || replay.header.players.size() != g_net.start.players.size()) {
    g_net.hostGone = true;  // nothing sensible can follow
    return;
  }
  g_net.replayBytes.clear();
  g_net.replayBytes.shrink_to_fit();
  for (size_t i = 0; i < g_net.start.players.size() && i < kMaxPlayers; ++i)
    g_net.machineOf[i] = g_net.start.players[i].machine;
  g_net.frame = 0;
  g_net.stream.clear();
  g_net.streamBase = 0;
  size_t change = 0;
  for (uint64_t f = 0; f < replay.frames; ++f) {
    while (change + 1 < replay.changes.size() && replay.changes[change + 1].frame <= f) ++change;
    g_net.stream.push_back(replay.changes[change].record);
  }
  g_net.stats.caughtUp = replay.frames;
  for (const ReplayHandOver& h : replay.handOvers) g_net.handOvers.emplace(h.frame, h.player);
  for (size_t k = 0; k < replay.checks.size(); ++k) g_net.hostSums[static_cast<uint32_t>(k)] = replay.checks[k].sum;
  replay.changes.clear();
  replay.handOvers.clear();
  replay.checks.clear();
  replay.frames = 0;
  g_net.arrived = true;
}

void GuestPacket(const Packet& p) {
  switch (p.kind) {
    case PacketKind::kLobby:
      if (g_net.inGame || g_net.starting) break;
      g_net.lobby = p.players;
      g_net.lobbyRounds = p.rounds;
      return;
    case PacketKind::kStart:
      if (g_net.inGame || g_net.starting) break;
      g_net.start = p;
      g_net.starting = true;
      g_net.replayBytes.clear();
      return;
    case PacketKind::kReplay:
      if (!g_net.starting || g_net.arrived || p.total != g_net.start.total || p.offset != g_net.replayBytes.size())
        break;
      g_net.replayBytes.insert(g_net.replayBytes.end(), p.bytes.begin(), p.bytes.end());
      if (g_net.replayBytes.size() == p.total) Arrive();
      return;
    case PacketKind::kFrames: {
      // The host's frames come in order; those this machine played itself
      // (its own input, sent back) are passed over.
      const uint64_t end = g_net.streamBase + g_net.stream.size();
      if (!g_net.arrived || p.frame > end || p.frame + p.records.size() > g_net.frame + kMostStream) break;
      const uint64_t known = end - p.frame;
      if (known < p.records.size())
        g_net.stream.insert(g_net.stream.end(), p.records.begin() + static_cast<long>(known), p.records.end());
      return;
    }
    case PacketKind::kHandOver:
      if (!g_net.arrived || p.frame < g_net.frame || p.player >= g_game.numberOfPlayers) break;
      g_net.handOvers.emplace(p.frame, p.player);
      return;
    case PacketKind::kCheck:
      if (!g_net.arrived) break;
      g_net.hostSums[p.count] = p.sum;
      if (auto own = g_net.ownSums.find(p.count); own != g_net.ownSums.end()) {
        if (own->second.second != p.sum) OutOfSync(own->second.first);
        g_net.ownSums.erase(own);
        g_net.hostSums.erase(p.count);
      }
      return;
    case PacketKind::kOutOfSync:
      if (!g_net.inGame) break;
      GameOver("OUT OF SYNC AT FRAME " + std::to_string(p.frame), true);
    case PacketKind::kEnd:
      g_net.hostGone = true;
      return;
    default:
      break;
  }
  ++g_net.stats.dropped;
}

void GuestEvent(const NetLink::Event& e) {
  if (e.type == NetLink::Event::kDisconnect) {
    g_net.hostGone = true;
  } else if (e.type == NetLink::Event::kReceive) {
    Packet p;
    if (!DecodePacket(e.bytes.data(), e.bytes.size(), &p)) {
      ++g_net.stats.dropped;
      return;
    }
    GuestPacket(p);
  }
}

// ---- Both ----

// Everything that came in, and then waits up to waitMs for more.
void Service(int waitMs) {
  NetLink::Event e;
  for (int i = 0; i < 4096 && g_net.link.Poll(&e, i == 0 ? waitMs : 0); ++i) {
    if (Host())
      HostEvent(e);
    else
      GuestEvent(e);
  }
}

// This machine leaves the game: the host ends it for everybody.
[[noreturn]] void Leave() {
  if (Host()) {
    Flush();
    Packet end = Kind(PacketKind::kEnd);
    end.reason = static_cast<uint8_t>(EndReason::kHostLeft);
    SendToLive(end);
    g_net.link.Flush();
    for (Remote& r : g_net.remotes) r.live = false;
  } else {
    Flush();
    g_net.link.Close(500);
  }
  GameOver("");
}

// Esc, Y and N are this machine's own: they ask and answer "LEAVE THE GAME?".
void LocalKey(int32_t key) {
  if (g_net.leaveAsked) {
    if (key == kKeyY) Leave();
    if (key == kKeyN || key == kKeyEsc) g_net.leaveAsked = false;
  } else if (key == kKeyEsc) {
    g_net.leaveAsked = true;
  }
}

void FilterLocalKeys() {
  const int32_t key = g_input.lastKey;
  if (key == kKeyEsc || (g_net.leaveAsked && key != 0)) {
    g_input.lastKey = 0;
    LocalKey(key);
  }
}

// Keys pressed while this machine waits for a frame.
void LiveLocalKeys() {
  const int32_t key = g_input.lastKey.Live();
  if (key == kKeyEsc || (g_net.leaveAsked && key != 0)) {
    g_input.lastKey.Live() = 0;
    LocalKey(key);
  }
}

// The machine whose input this frame is.
int OwnerMachine() {
  if (g_game.scene != Scene::kRound && g_game.scene != Scene::kShop) return 0;
  const unsigned current = g_game.currentPlayer;
  if (current >= g_game.numberOfPlayers || current >= kMaxPlayers || g_players[current].control != 0) return 0;
  return g_net.machineOf[current];
}

void HandOver(int player) {
  g_players[player].control = 1;
  g_players[player].strength = kStrengthNormal;
  if (g_net.handOverHook) g_net.handOverHook(player);
}

// The host hands the players of machines gone to the computer at a frame
// that nobody else can have played: one whose input is the host's or the
// gone machine's.
void HostHandOvers() {
  for (int m = 1; m <= kMostMachines; ++m) {
    Remote& r = g_net.remotes[m];
    if (!r.gone || r.slot < 0) continue;
    const int owner = OwnerMachine();
    if (owner != 0 && owner != m) continue;
    Packet p = Kind(PacketKind::kHandOver);
    p.frame = g_net.frame;
    p.player = static_cast<uint8_t>(r.slot);
    SendBatch();  // the hand-over comes after the frames before it
    SendToLive(p);
    HandOver(r.slot);
    g_net.machineOf[r.slot] = 0;
    r = Remote();
  }
}

FrameRecord HostRecord() {
  const Clock::time_point since = Clock::now();
  bool waited = false;
  for (;;) {
    HostHandOvers();
    const int owner = OwnerMachine();
    if (owner == 0) return CurrentFrameRecord();
    Remote& r = g_net.remotes[owner];
    if (auto it = r.frames.find(g_net.frame); it != r.frames.end()) {
      const FrameRecord record = it->second;
      r.frames.erase(it);
      if (waited) WaitEnded(since);
      return record;
    }
    if (!waited) {
      waited = true;
      ++g_net.stats.waits;
      Flush();
    }
    if (Clock::now() - since > kLongestWait) {
      g_net.link.Drop(owner);
      r.gone = true;
      r.connected = r.live = false;
      continue;
    }
    LiveLocalKeys();
    Service(1);
  }
}

FrameRecord GuestRecord(bool own) {
  if (own) {
    // Its own frames come back from the host later: they are passed over.
    while (!g_net.stream.empty() && g_net.streamBase <= g_net.frame) {
      g_net.stream.pop_front();
      ++g_net.streamBase;
    }
    if (g_net.stream.empty()) g_net.streamBase = g_net.frame + 1;
    return CurrentFrameRecord();
  }
  while (!g_net.stream.empty() && g_net.streamBase < g_net.frame) {
    g_net.stream.pop_front();
    ++g_net.streamBase;
  }
  const Clock::time_point since = Clock::now();
  bool waited = false;
  while (g_net.stream.empty() || g_net.streamBase > g_net.frame) {
    if (g_net.hostGone || Clock::now() - since > kLongestWait) GameOver("THE HOST HAS LEFT THE GAME");
    if (!waited) {
      waited = true;
      ++g_net.stats.waits;
      Flush();
    }
    LiveLocalKeys();
    Service(1);
  }
  if (waited) WaitEnded(since);
  const FrameRecord record = g_net.stream.front();
  g_net.stream.pop_front();
  ++g_net.streamBase;
  return record;
}

}  // namespace

bool NetStartHost(uint16_t port, std::string* error) {
  if (!g_net.link.Listen(port, kMostMachines, error)) return false;
  g_net.role = NetRole::kHost;
  return true;
}

bool NetStartJoin(const std::string& address, uint16_t port, bool spectator, const std::string& name,
                  NetWelcome* welcome, std::string* error) {
  if (!g_net.link.Connect(address, port, 15000, error)) return false;
  Packet hello = Kind(PacketKind::kHello);
  hello.version = kGameVersion;
  hello.spectator = spectator;
  hello.name = name;
  SendTo(0, hello);
  g_net.link.Flush();
  const std::string where = address + ":" + std::to_string(port);
  // The answer: bounded by 100 waits of 50 ms.
  NetLink::Event e;
  for (int i = 0; i < 100; ++i) {
    if (!g_net.link.Poll(&e, 50)) continue;
    if (e.type == NetLink::Event::kDisconnect) break;
    Packet p;
    if (e.type != NetLink::Event::kReceive || !DecodePacket(e.bytes.data(), e.bytes.size(), &p)) continue;
    if (p.kind == PacketKind::kWelcome) {
      g_net.role = spectator ? NetRole::kSpectator : NetRole::kPlayer;
      g_net.me = p.machine;
      welcome->displayOption = p.displayOption;
      welcome->classic = p.classic;
      return true;
    }
    if (p.kind == PacketKind::kRefused) {
      g_net.link.Close(0);
      if (p.reason == static_cast<uint8_t>(RefusalReason::kVersion))
        *error = "the host at " + where + " runs version " + p.version + ", this is version " + kGameVersion;
      else if (p.reason == static_cast<uint8_t>(RefusalReason::kFull))
        *error = "the game at " + where + " is full (five players)";
      else
        *error = "the game at " + where + " has begun: join it with --watch";
      return false;
    }
  }
  g_net.link.Close(0);
  *error = "the host at " + where + " did not answer";
  return false;
}

NetRole GetNetRole() { return g_net.role; }

std::string NetDefaultName() {
  const char* login = std::getenv("USER");
  if (!login || !*login) login = std::getenv("LOGNAME");
  std::string name;
  for (const char* c = login ? login : ""; *c && name.size() < 12; ++c) {
    const char up = (*c >= 'a' && *c <= 'z') ? static_cast<char>(*c - 'a' + 'A') : *c;
    if (NameCharacter(up)) name += up;
  }
  return name.empty() ? "PLAYER" : name;
}

void NetClose() { g_net.link.Close(Host() ? 3000 : 500); }

void NetService(int waitMs) {
  if (g_net.role != NetRole::kOffline) Service(waitMs);
}

void NetLobbyOpen() {
  g_net.lobbyOpen = true;
  g_net.machineOf.fill(0);
  for (Remote& r : g_net.remotes) r.slot = -1;
  g_net.lobbySent = Packet();
}

void NetLobbyClose() { g_net.lobbyOpen = false; }

void NetLobbyFrame() {
  if (!Host()) return;
  Service(0);
  for (int m = 1; m <= kMostMachines; ++m) {
    Remote& r = g_net.remotes[m];
    if (!r.welcomed || r.spectator || r.slot >= 0 || g_game.numberOfPlayers >= kMaxPlayers) continue;
    const int slot = g_game.numberOfPlayers;
    r.slot = slot;
    g_net.machineOf[slot] = static_cast<uint8_t>(m);
    PlayerRecord& p = g_players[slot];
    p.name = r.name;
    p.control = 0;
    p.strength = kStrengthNormal;
    p.colourIndex = -1;
    g_game.numberOfPlayers = static_cast<uint16_t>(slot + 1);
  }
  // A joined player whose colour another player has (or took) gets the first free one.
  const int n = std::min<int>(g_game.numberOfPlayers, kMaxPlayers);
  for (int slot = 0; slot < n; ++slot) {
    if (g_net.machineOf[slot] == 0) continue;
    auto taken = [n, slot](int colour) {
      for (int i = 0; i < n; ++i)
        if (i != slot && g_players[i].colourIndex == colour) return true;
      return false;
    };
    if (g_players[slot].colourIndex >= 0 && !taken(g_players[slot].colourIndex)) continue;
    for (int16_t colour = 0; colour < 5; ++colour)
      if (!taken(colour)) {
        g_players[slot].colourIndex = colour;
        break;
      }
  }
  Packet lobby = Kind(PacketKind::kLobby);
  lobby.rounds = g_game.roundsToPlay;
  for (int i = 0; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i) {
    const PlayerRecord& p = g_players[i];
    lobby.players.push_back({p.name, static_cast<uint8_t>(p.colourIndex), static_cast<uint8_t>(p.control),
                             static_cast<uint8_t>(p.strength), g_net.machineOf[i]});
  }
  if (lobby.players == g_net.lobbySent.players && lobby.rounds == g_net.lobbySent.rounds &&
      g_net.lobbySent.kind == PacketKind::kLobby)
    return;
  g_net.lobbySent = lobby;
  const std::vector<uint8_t> bytes = EncodePacket(lobby);
  for (int m = 1; m <= kMostMachines; ++m)
    if (g_net.remotes[m].welcomed) g_net.link.Send(m, bytes);
  g_net.link.Flush();
}

int NetMachineOf(int player) {
  return Host() && player >= 0 && player < kMaxPlayers ? g_net.machineOf[player] : 0;
}

void NetWaitForPlayers(int players, int mostMs) {
  for (int waited = 0; waited < mostMs && g_game.numberOfPlayers < players; waited += 10) {
    Service(10);
    NetLobbyFrame();
  }
}

const std::vector<LobbyPlayer>& NetLobbyPlayers() { return g_net.lobby; }
int32_t NetLobbyRounds() { return g_net.lobbyRounds; }
int NetOwnMachine() { return g_net.me; }
bool NetHostGone() { return g_net.hostGone; }

void NetSendName(const std::string& name) {
  Packet p = Kind(PacketKind::kName);
  p.name = name;
  SendTo(0, p);
  g_net.link.Flush();
}

void NetBeginGame(const std::vector<uint8_t>& replayHeader) {
  if (!Host()) return;
  g_net.lobbyOpen = false;
  g_net.inGame = true;
  g_net.frame = 0;
  g_net.checks = 0;
  g_net.batch.clear();
  g_net.leaveAsked = false;
  for (int m = 1; m <= kMostMachines; ++m) {
    Remote& r = g_net.remotes[m];
    if (r.welcomed && (r.spectator || r.slot >= 0)) SendGameSoFar(m, replayHeader);
  }
  g_net.link.Flush();
  g_net.lastFlush = Clock::now();
}

bool NetGameArrived(Replay* replay) {
  if (g_net.role != NetRole::kPlayer && g_net.role != NetRole::kSpectator) return false;
  Service(0);
  if (!g_net.arrived || g_net.inGame) return false;
  *replay = g_net.arrivedReplay;
  g_net.inGame = true;
  g_net.checks = 0;
  g_net.batch.clear();
  g_net.leaveAsked = false;
  g_net.lastFlush = Clock::now();
  return true;
}

bool NetInGame() { return g_net.inGame; }

// The host, held at the start of a round for a spectator to follow (for
// scripts): at most holdMs.
void HoldAtRound() {
  if (g_net.holdRound == 0 || g_game.scene != Scene::kRound || g_game.gameRounds + 1 != g_net.holdRound) return;
  std::fprintf(stderr, "bulwark: holding at round %d\n", g_net.holdRound);
  g_net.holdRound = 0;
  auto watched = [] {
    for (const Remote& r : g_net.remotes)
      if (r.spectator && r.live) return true;
    return false;
  };
  for (int waited = 0; waited < g_net.holdMs && !watched(); waited += 10) Service(10);
}

void NetFrame() {
  if (!g_net.inGame) {
    NetService();
    return;
  }
  FilterLocalKeys();
  if (Host()) HoldAtRound();
  Service(0);
  FrameRecord record;
  if (Host()) {
    record = HostRecord();
    AddToBatch(g_net.frame, record);
    // Input sent for frames its machine did not own is dropped.
    for (Remote& r : g_net.remotes) {
      const auto end = r.frames.lower_bound(g_net.frame + 1);
      g_net.stats.dropped += static_cast<uint64_t>(std::distance(r.frames.begin(), end));
      r.frames.erase(r.frames.begin(), end);
    }
  } else {
    const bool own = g_net.role == NetRole::kPlayer && OwnerMachine() == g_net.me;
    record = GuestRecord(own);
    for (auto it = g_net.handOvers.begin(); it != g_net.handOvers.end() && it->first <= g_net.frame;) {
      if (it->first == g_net.frame) HandOver(it->second);
      it = g_net.handOvers.erase(it);
    }
    if (own) AddToBatch(g_net.frame, record);
  }
  UseFrameRecord(record);
  if (Clock::now() - g_net.lastFlush >= kFlushEvery) Flush();
  ++g_net.frame;
}

bool NetLeaveAsked() { return g_net.leaveAsked; }

bool NetBehind() {
  if (!g_net.inGame) return false;
  if (!Host()) return g_net.streamBase + g_net.stream.size() > g_net.frame + kBehindFrames;
  const int owner = OwnerMachine();
  return owner != 0 && g_net.remotes[owner].frames.size() > kBehindFrames;
}

bool NetCatchingUp() {
  return g_net.role == NetRole::kSpectator && g_net.inGame &&
         g_net.streamBase + g_net.stream.size() > g_net.frame + kCatchUpFrames;
}

void NetCheckpoint(uint64_t frame, uint32_t sum) {
  if (!g_net.inGame) return;
  const uint32_t count = g_net.checks++;
  if (Host()) {
    SendBatch();
    Packet p = Kind(PacketKind::kCheck);
    p.frame = frame;
    p.count = count;
    p.sum = sum;
    SendToLive(p);
    return;
  }
  if (auto host = g_net.hostSums.find(count); host != g_net.hostSums.end()) {
    if (host->second != sum) OutOfSync(frame);
    g_net.hostSums.erase(host);
  } else {
    g_net.ownSums[count] = {frame, sum};
  }
}

void NetEndGame() {
  if (!g_net.inGame) return;
  Flush();
  g_net.inGame = false;
  g_net.leaveAsked = false;
  for (Remote& r : g_net.remotes) {
    r.live = false;
    r.slot = -1;
    r.frames.clear();
  }
}

void SetNetReplaySource(std::function<std::vector<uint8_t>()> replaySoFar) {
  g_net.replaySource = std::move(replaySoFar);
}
void SetNetHandOverHook(std::function<void(int player)> hook) { g_net.handOverHook = std::move(hook); }

void NetHoldAtRound(int round, int mostMs) {
  g_net.holdRound = round;
  g_net.holdMs = mostMs;
}

const NetStats& GetNetStats() { return g_net.stats; }
