// Online play on the host: whoever joins, the lobby, the game's start, the
// joined machines' input and their hand-over to the computer.
#include "net/session_state.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/runtime.h"
#include "platform/version.h"
#include "state/shared_state.h"

namespace {

using namespace net_detail;

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

}  // namespace

namespace net_detail {

void HostEvent(const NetLink::Event& e) {
  if (e.machine < 1 || e.machine > kMostMachines) return;
  Remote& r = g_net.remotes[e.machine];
  if (e.type == NetLink::Event::kConnect) {
    r = Remote();
    r.connected = true;
  } else if (e.type == NetLink::Event::kDisconnect) {
    if (g_net.inGame && r.slot >= 0 && !r.spectator) {
      std::fprintf(stderr, "bulwark: %s has left the game at frame %llu; the computer plays on\n", r.name.c_str(),
                   static_cast<unsigned long long>(g_net.frame));
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

// Waits for the owner's record however long it takes: a machine may be far
// behind, catching up. One that leaves or falls silent (ENet's time-out) is
// handed to the computer meanwhile.
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
      SendIfDue(true);
    }
    LiveLocalKeys();
    Service(1);
  }
}

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

}  // namespace net_detail

using namespace net_detail;

bool NetStartHost(uint16_t port, std::string* error) {
  if (!g_net.link.Listen(port, kMostMachines, error)) return false;
  g_net.role = NetRole::kHost;
  return true;
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

void NetHoldAtRound(int round, int mostMs) {
  g_net.holdRound = round;
  g_net.holdMs = mostMs;
}
