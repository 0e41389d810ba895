// Online play on a joined machine (a player's or a spectator's): the
// welcome, the lobby as the host sends it, the game so far and the host's
// frames.
#include "net/session_state.h"

#include <cstdio>
#include <cstdlib>

#include "platform/version.h"
#include "state/record_codec.h"
#include "state/shared_state.h"

namespace {

using namespace net_detail;

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

}  // namespace

namespace net_detail {

void GuestEvent(const NetLink::Event& e) {
  if (e.type == NetLink::Event::kDisconnect) {
    if (g_net.inGame && !g_net.hostGone)
      std::fprintf(stderr, "bulwark: lost the connection to the host at frame %llu\n",
                   static_cast<unsigned long long>(g_net.frame));
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
    // However long the host takes (it may wait for a machine that is
    // catching up), only its leaving or its silence ends the wait.
    if (g_net.hostGone) GameOver("THE HOST HAS LEFT THE GAME");
    if (!waited) {
      waited = true;
      ++g_net.stats.waits;
      SendIfDue(true);
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

}  // namespace net_detail

using namespace net_detail;

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
