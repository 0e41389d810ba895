#include "net/enet_link.h"

#include <enet/enet.h>

#include "net/packet.h"

namespace {

// A silent machine is given up after 10 s.
constexpr enet_uint32 kTimeoutMinMs = 10000, kTimeoutMaxMs = 10000;
// The keep-alive thread looks every kKeepAliveMs and services the link when
// the game thread has not for kIdleMs; it keeps at most kMostKept events. A
// game thread stuck for kMostCoveredMs is covered no longer: the others hear
// silence and give this machine up.
constexpr int kKeepAliveMs = 20, kIdleMs = 100;
constexpr int64_t kMostCoveredMs = 60000;
constexpr size_t kMostKept = 1 << 16;

bool Initialised() {
  static const bool ok = enet_initialize() == 0;
  return ok;
}

void LimitPackets(ENetHost* host) {
  host->maximumPacketSize = kMaxPacketBytes;
  host->maximumWaitingData = 64 * kMaxPacketBytes * 16;
}

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

NetLink::~NetLink() {
  StopKeepAlive();
  Destroy();
}

void NetLink::Destroy() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (host_) enet_host_destroy(host_);
  host_ = nullptr;
  server_ = nullptr;
  kept_.clear();
}

void NetLink::StartKeepAlive() {
  lastUse_ = NowMs();
  stop_ = false;
  keepAlive_ = std::thread([this] {
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kKeepAliveMs));
      const int64_t idle = NowMs() - lastUse_;
      if (idle < kIdleMs || idle > kMostCoveredMs) continue;
      std::lock_guard<std::mutex> lock(mutex_);
      Event e;
      while (kept_.size() < kMostKept && Service(&e, 0)) kept_.push_back(std::move(e));
    }
  });
}

void NetLink::StopKeepAlive() {
  stop_ = true;
  if (keepAlive_.joinable()) keepAlive_.join();
}

bool NetLink::Listen(uint16_t port, int machines, std::string* error) {
  if (!Initialised()) {
    *error = "the network cannot be used";
    return false;
  }
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  host_ = enet_host_create(&address, static_cast<size_t>(machines), 1, 0, 0);
  if (!host_) {
    *error = "cannot listen on port " + std::to_string(port) + " (is it in use?)";
    return false;
  }
  LimitPackets(host_);
  StartKeepAlive();
  return true;
}

bool NetLink::Connect(const std::string& address, uint16_t port, int waitMs, std::string* error) {
  *error = "cannot reach the host at " + address + ":" + std::to_string(port);
  if (!Initialised()) return false;
  ENetAddress to{};
  if (enet_address_set_host(&to, address.c_str()) != 0) {
    *error = "cannot find the host " + address;
    return false;
  }
  to.port = port;
  host_ = enet_host_create(nullptr, 1, 1, 0, 0);
  if (!host_) return false;
  LimitPackets(host_);
  // A host still starting up may not answer the first attempts: they are
  // repeated until waitMs have passed.
  ENetEvent event;
  for (int waited = 0; waited < waitMs; waited += 100) {
    if (!server_) server_ = enet_host_connect(host_, &to, 1, 0);
    if (!server_) break;
    if (enet_host_service(host_, &event, 100) <= 0) continue;
    if (event.type == ENET_EVENT_TYPE_CONNECT) {
      enet_peer_timeout(server_, 0, kTimeoutMinMs, kTimeoutMaxMs);
      StartKeepAlive();
      return true;
    }
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) server_ = nullptr;
    if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
  }
  enet_host_destroy(host_);
  host_ = nullptr;
  server_ = nullptr;
  return false;
}

_ENetPeer* NetLink::Peer(int machine) const {
  if (!host_) return nullptr;
  if (server_) return machine == 0 ? server_ : nullptr;
  if (machine < 1 || static_cast<size_t>(machine) > host_->peerCount) return nullptr;
  ENetPeer* peer = &host_->peers[machine - 1];
  return peer->state == ENET_PEER_STATE_CONNECTED ? peer : nullptr;
}

int NetLink::MachineOf(const _ENetPeer* peer) const {
  return server_ ? 0 : static_cast<int>(peer - host_->peers) + 1;
}

bool NetLink::Service(Event* e, int waitMs) {
  if (!host_) return false;
  ENetEvent event;
  if (enet_host_service(host_, &event, static_cast<enet_uint32>(waitMs < 0 ? 0 : waitMs)) <= 0) return false;
  e->machine = MachineOf(event.peer);
  e->bytes.clear();
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      enet_peer_timeout(event.peer, 0, kTimeoutMinMs, kTimeoutMaxMs);
      e->type = Event::kConnect;
      break;
    case ENET_EVENT_TYPE_RECEIVE:
      e->type = Event::kReceive;
      e->bytes.assign(event.packet->data, event.packet->data + event.packet->dataLength);
      enet_packet_destroy(event.packet);
      break;
    case ENET_EVENT_TYPE_DISCONNECT:
      e->type = Event::kDisconnect;
      if (event.peer == server_) server_ = nullptr;
      break;
    default:
      e->type = Event::kNone;
      break;
  }
  return true;
}

bool NetLink::Poll(Event* e, int waitMs) {
  lastUse_ = NowMs();
  // Looks every millisecond, up to waitMs, without holding the lock between
  // looks, so that the keep-alive thread is never held up.
  for (int waited = 0;; ++waited) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!kept_.empty()) {
        *e = std::move(kept_.front());
        kept_.pop_front();
        return true;
      }
      if (Service(e, 0)) return true;
    }
    if (waited >= waitMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void NetLink::Send(int machine, const std::vector<uint8_t>& bytes) {
  lastUse_ = NowMs();
  std::lock_guard<std::mutex> lock(mutex_);
  ENetPeer* peer = Peer(machine);
  if (!peer || bytes.empty() || bytes.size() > kMaxPacketBytes) return;
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
  if (packet && enet_peer_send(peer, 0, packet) != 0) enet_packet_destroy(packet);
}

void NetLink::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (host_) enet_host_flush(host_);
}

void NetLink::Drop(int machine) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ENetPeer* peer = Peer(machine)) enet_peer_disconnect_later(peer, 0);
}

void NetLink::Close(int waitMs) {
  StopKeepAlive();
  std::lock_guard<std::mutex> lock(mutex_);
  if (!host_) return;
  for (size_t i = 0; i < host_->peerCount; ++i)
    if (host_->peers[i].state == ENET_PEER_STATE_CONNECTED) enet_peer_disconnect_later(&host_->peers[i], 0);
  // Bounded: at most waitMs in steps of 10 ms, ending when everyone has gone.
  ENetEvent event;
  for (int waited = 0; waited < waitMs; waited += 10) {
    bool anyone = false;
    for (size_t i = 0; i < host_->peerCount; ++i)
      anyone = anyone || host_->peers[i].state != ENET_PEER_STATE_DISCONNECTED;
    if (!anyone) break;
    if (enet_host_service(host_, &event, 10) > 0 && event.type == ENET_EVENT_TYPE_RECEIVE)
      enet_packet_destroy(event.packet);
  }
  enet_host_destroy(host_);
  host_ = nullptr;
  server_ = nullptr;
  kept_.clear();
}
