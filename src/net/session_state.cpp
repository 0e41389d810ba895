#include "net/session_state.h"

#include <algorithm>

#include "state/shared_state.h"

namespace net_detail {

Session g_net;

Packet Kind(PacketKind kind) {
  Packet p;
  p.kind = kind;
  return p;
}

void SendTo(int machine, const Packet& p) { g_net.link.Send(machine, EncodePacket(p)); }

bool Host() { return g_net.role == NetRole::kHost; }

namespace {

void SendBytesToLive(const std::vector<uint8_t>& bytes) {
  for (int m = 1; m <= kMostMachines; ++m)
    if (g_net.remotes[m].live) g_net.link.Send(m, bytes);
}

}  // namespace

void SendToLive(const Packet& p) { SendBytesToLive(EncodePacket(p)); }

// The batch goes out as frames packets: from the host to every machine
// following the game, from a joined player to the host.
void SendBatch() {
  for (const std::vector<uint8_t>& bytes : EncodeFrames(g_net.batchFirst, g_net.batch)) {
    if (Host())
      SendBytesToLive(bytes);
    else
      g_net.link.Send(0, bytes);
  }
  g_net.batchFirst += g_net.batch.size();
  g_net.batch.clear();
}

void Flush() {
  SendBatch();
  g_net.link.Flush();
  g_net.lastFlush = Clock::now();
}

void SendIfDue(bool aboutToWait) {
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - g_net.lastFlush).count();
  if (SendNow(g_net.batch.size(), ms, aboutToWait)) Flush();
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

[[noreturn]] void GameOver(const std::string& message, bool outOfSync) {
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

}  // namespace net_detail

