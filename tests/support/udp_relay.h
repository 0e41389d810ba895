// A lossy, delaying UDP relay on loopback for the tests of online play: it
// stands between the joiners and the host, drops a share of the datagrams
// both ways and holds each of the others for a random time.
// Threads: built, read and destroyed on the test's thread; one thread of its
// own moves the datagrams. The counters may be read from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace e2e {

struct RelayOptions {
  double dropShare = 0.1;  // share of the datagrams lost, each way
  int minDelayMs = 50;     // each datagram kept is held for a time in this range
  int maxDelayMs = 150;
  uint32_t seed = 1;  // the relay's own random numbers decide drops and delays
};

class UdpRelay {
 public:
  // Listens on 127.0.0.1 at an ephemeral port (ListenPort()) and forwards every
  // datagram from each client address to 127.0.0.1:targetPort through its own
  // socket per client (so the target sees one address per client), and the
  // answers back to that client. Throws std::runtime_error when it cannot
  // open its listening socket.
  UdpRelay(uint16_t targetPort, RelayOptions options);
  ~UdpRelay();  // stops the thread, closes the sockets
  UdpRelay(const UdpRelay&) = delete;
  UdpRelay& operator=(const UdpRelay&) = delete;

  uint16_t ListenPort() const;
  // Datagrams sent on, and datagrams lost (by chance, or because the relay
  // was full or could not send them).
  uint64_t Forwarded() const { return forwarded_.load(); }
  uint64_t Dropped() const { return dropped_.load(); }

 private:
  struct Link;  // the sockets, the clients and the held datagrams
  void Run();

  std::unique_ptr<Link> link_;
  std::atomic<bool> stop_{false};
  std::atomic<uint64_t> forwarded_{0};
  std::atomic<uint64_t> dropped_{0};
  std::thread thread_;
};

}  // namespace e2e
