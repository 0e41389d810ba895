#include "net/net_session.h"

#include "net/session_state.h"
#include "state/shared_state.h"

namespace {

using namespace net_detail;

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

}  // namespace

namespace net_detail {

// Keys pressed while this machine waits for a frame.
void LiveLocalKeys() {
  const int32_t key = g_input.lastKey.Live();
  if (key == kKeyEsc || (g_net.leaveAsked && key != 0)) {
    g_input.lastKey.Live() = 0;
    LocalKey(key);
  }
}

}  // namespace net_detail

using namespace net_detail;

NetRole GetNetRole() { return g_net.role; }

void NetClose() { g_net.link.Close(Host() ? 10000 : 500); }

void NetService(int waitMs) {
  if (g_net.role != NetRole::kOffline) Service(waitMs);
}

bool NetInGame() { return g_net.inGame; }

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
  SendIfDue(false);
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

const NetStats& GetNetStats() { return g_net.stats; }
