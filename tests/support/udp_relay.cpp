#include "support/udp_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <queue>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHeld = 10000;     // datagrams waiting for their time
constexpr size_t kMaxClients = 64;     // client addresses, each with its own socket
constexpr int kWakeMs = 10;            // the thread looks at the stop flag this often
constexpr int kReadsPerWake = 256;     // datagrams read from one socket per wake
constexpr size_t kMaxDatagram = 65535;

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  return a;
}

// A non-blocking UDP socket bound to 127.0.0.1 at an ephemeral port, or -1.
int OpenSocket() {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const sockaddr_in a = Loopback(0);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b) {
  return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

}  // namespace

struct UdpRelay::Link {
  struct Client {
    sockaddr_in address;  // where its datagrams come from and its answers go
    int fd;               // its own socket towards the target
  };
  struct Held {
    Clock::time_point due;
    uint64_t order;  // keeps datagrams due at the same time in arrival order
    size_t client;
    bool toTarget;
    std::vector<uint8_t> bytes;
    bool operator>(const Held& o) const { return due != o.due ? due > o.due : order > o.order; }
  };

  sockaddr_in target{};
  int listenFd = -1;
  uint16_t listenPort = 0;
  double dropShare = 0;
  int minDelayMs = 0, maxDelayMs = 0;
  std::mt19937 random;
  std::vector<Client> clients;
  std::priority_queue<Held, std::vector<Held>, std::greater<Held>> held;
  uint64_t arrivals = 0;
  std::vector<uint8_t> buffer = std::vector<uint8_t>(kMaxDatagram + 1);

  ~Link() {
    for (const Client& c : clients) close(c.fd);
    if (listenFd >= 0) close(listenFd);
  }

  // The client of this address, a new one when there is room, or -1.
  int ClientOf(const sockaddr_in& from) {
    for (size_t i = 0; i < clients.size(); ++i) {
      if (SameAddress(clients[i].address, from)) return static_cast<int>(i);
    }
    if (clients.size() >= kMaxClients) return -1;
    const int fd = OpenSocket();
    if (fd < 0) return -1;
    // Connected, so this socket hears the target only.
    if (connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
      close(fd);
      return -1;
    }
    clients.push_back({from, fd});
    return static_cast<int>(clients.size()) - 1;
  }

  // Loses the datagram by chance or for want of room, or holds it for a
  // random time. Returns whether it was lost.
  bool Take(size_t client, bool toTarget, size_t size, Clock::time_point now) {
    if (held.size() >= kMaxHeld) return true;
    if (std::bernoulli_distribution(dropShare)(random)) return true;
    const int delayMs = std::uniform_int_distribution<int>(minDelayMs, maxDelayMs)(random);
    held.push({now + std::chrono::milliseconds(delayMs), arrivals++, client, toTarget,
               std::vector<uint8_t>(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size))});
    return false;
  }

  // Sends the datagram at the head of the queue on; false when it could not.
  bool SendHead() {
    const Held& h = held.top();
    const Client& c = clients[h.client];
    const ssize_t sent =
        h.toTarget ? send(c.fd, h.bytes.data(), h.bytes.size(), 0)
                   : sendto(listenFd, h.bytes.data(), h.bytes.size(), 0,
                            reinterpret_cast<const sockaddr*>(&c.address), sizeof c.address);
    held.pop();
    return sent >= 0;
  }

  // Milliseconds to wait for the next datagram due, at most kWakeMs.
  int WaitMs(Clock::time_point now) const {
    if (held.empty()) return kWakeMs;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(held.top().due - now).count();
    return static_cast<int>(std::clamp<decltype(left)>(left, 0, kWakeMs));
  }
};

UdpRelay::UdpRelay(uint16_t targetPort, RelayOptions options) : link_(std::make_unique<Link>()) {
  Link& l = *link_;
  l.target = Loopback(targetPort);
  // Shares outside 0..1 and a range upside down would be undefined for the
  // distributions: the nearest sound values are used instead.
  l.dropShare = std::clamp(options.dropShare, 0.0, 1.0);
  if (!(l.dropShare >= 0.0)) l.dropShare = 0.0;  // not a number
  l.minDelayMs = std::max(options.minDelayMs, 0);
  l.maxDelayMs = std::max(options.maxDelayMs, l.minDelayMs);
  l.random.seed(options.seed);
  l.listenFd = OpenSocket();
  sockaddr_in bound{};
  socklen_t size = sizeof bound;
  if (l.listenFd < 0 || getsockname(l.listenFd, reinterpret_cast<sockaddr*>(&bound), &size) != 0) {
    throw std::runtime_error(std::string("udp relay: cannot listen on 127.0.0.1: ") + std::strerror(errno));
  }
  l.listenPort = ntohs(bound.sin_port);
  thread_ = std::thread(&UdpRelay::Run, this);
}

UdpRelay::~UdpRelay() {
  stop_.store(true);
  thread_.join();
}

uint16_t UdpRelay::ListenPort() const { return link_->listenPort; }

void UdpRelay::Run() {
  Link& l = *link_;
  std::vector<pollfd> fds;
  while (!stop_.load()) {
    fds.assign(1, pollfd{l.listenFd, POLLIN, 0});
    for (const Link::Client& c : l.clients) fds.push_back({c.fd, POLLIN, 0});
    poll(fds.data(), fds.size(), l.WaitMs(Clock::now()));

    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      // Index 0 is the listening socket; index i > 0 is client i - 1's socket.
      for (int r = 0; r < kReadsPerWake; ++r) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t got = recvfrom(fds[i].fd, l.buffer.data(), l.buffer.size(), 0,
                                     reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (got < 0) break;  // nothing more, or an error report from the target consumed
        const int client = i == 0 ? l.ClientOf(from) : static_cast<int>(i) - 1;
        const bool lost = client < 0 || l.Take(static_cast<size_t>(client), i == 0, static_cast<size_t>(got), now);
        if (lost) ++dropped_;
      }
    }

    const Clock::time_point sendTime = Clock::now();
    while (!l.held.empty() && l.held.top().due <= sendTime) {
      if (l.SendHead()) {
        ++forwarded_;
      } else {
        ++dropped_;
      }
    }
  }
}

}  // namespace e2e
