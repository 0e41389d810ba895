// The link of online play over ENet (reliable, ordered, over UDP): the host
// listens, a joiner connects; packets go out on one channel and come in as
// events. Machines are numbered: 0 is the host, a joined machine is its
// connection's number from 1 on. A packet over kMaxPacketBytes is never
// accepted by ENet (the host's largest packet is set to it).
//
// While the game thread is busy elsewhere (a landscape being built takes
// seconds on a slow machine), a keep-alive thread of the link answers ENet's
// pings and keeps what comes in for the next Poll, so that no machine is
// taken for gone meanwhile. It covers a minute at most: a machine whose game
// thread is stuck longer falls silent, and the others give it up.
//
// Threads: opened on the main thread at start-up, then used by the game
// thread; the link's own keep-alive thread touches it only under its lock.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _ENetHost;
struct _ENetPeer;

class NetLink {
 public:
  NetLink() = default;
  ~NetLink();
  NetLink(const NetLink&) = delete;
  NetLink& operator=(const NetLink&) = delete;

  // Listens on every address at `port` for up to `machines` connections.
  bool Listen(uint16_t port, int machines, std::string* error);
  // Connects to the host, waiting up to waitMs.
  bool Connect(const std::string& address, uint16_t port, int waitMs, std::string* error);

  struct Event {
    enum Type { kNone, kConnect, kReceive, kDisconnect } type = kNone;
    int machine = 0;
    std::vector<uint8_t> bytes;
  };
  // The next event, waiting up to waitMs for one; false when none came.
  bool Poll(Event* e, int waitMs);
  // Sends reliably to a machine (from a joiner: 0, the host); a machine not
  // connected is skipped.
  void Send(int machine, const std::vector<uint8_t>& bytes);
  void Flush();
  // Ends a connection politely once what was sent to it has gone.
  void Drop(int machine);
  // Ends every connection politely, waiting up to waitMs for the others to
  // hear it, and closes the link.
  void Close(int waitMs);
  bool Open() const { return host_ != nullptr; }

 private:
  _ENetPeer* Peer(int machine) const;
  int MachineOf(const _ENetPeer* peer) const;
  // One ENet event as an Event (under the lock); false for none.
  bool Service(Event* e, int waitMs);
  void StartKeepAlive();
  void StopKeepAlive();
  void Destroy();

  _ENetHost* host_ = nullptr;
  _ENetPeer* server_ = nullptr;  // a joiner's connection to the host
  std::mutex mutex_;
  std::deque<Event> kept_;       // what the keep-alive thread took in
  std::atomic<int64_t> lastUse_{0};  // steady clock, in ms, of the game thread's last call
  std::atomic<bool> stop_{false};
  std::thread keepAlive_;
};
