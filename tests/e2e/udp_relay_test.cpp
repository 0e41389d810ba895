// The test relay of online play, in front of a UDP echo server: it loses
// about the share it is told to, returns the rest unchanged to their sender,
// and its counters account for every datagram that passed through it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "support/udp_relay.h"

namespace {

// A UDP socket on 127.0.0.1 at an ephemeral port.
struct Socket {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  Socket() {
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  }
  ~Socket() { close(fd); }
};

// Datagram n: its number, then filler to a size that varies with n.
std::string Datagram(int n, int maxBytes) {
  std::string d = std::to_string(n) + ":";
  d.resize(16 + static_cast<size_t>(n) * 7919 % static_cast<size_t>(maxBytes), static_cast<char>('a' + n % 26));
  return d;
}

}  // namespace

TEST(UdpRelay, LosesAboutItsShareAndReturnsTheRestUnchanged) {
  struct Case {
    e2e::RelayOptions options;
    int count, maxBytes, fewest, most;  // datagrams sent, their largest size, answers expected
  };
  const Case cases[] = {{{0.5, 20, 40, 7}, 200, 1000, 10, 120}, {{0.0, 0, 0, 1}, 20, 65000, 20, 20}};
  for (const Case& c : cases) {
    Socket server, client;
    e2e::UdpRelay relay(ntohs(server.address.sin_port), c.options);
    sockaddr_in relayAddress = client.address;
    relayAddress.sin_port = htons(relay.ListenPort());
    std::set<std::string> sent;
    std::vector<char> buffer(65536);
    int next = 0, echoed = 0, answers = 0;
    // One datagram sent per turn; after the last, up to 2 s for the answers,
    // ending early once the relay holds nothing and no socket has anything.
    for (auto lastSent = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - lastSent < std::chrono::seconds(2);) {
      if (next < c.count) {
        const std::string d = Datagram(next++, c.maxBytes);
        sent.insert(d);
        ASSERT_EQ(sendto(client.fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&relayAddress),
                         sizeof relayAddress),
                  static_cast<ssize_t>(d.size()));
        lastSent = std::chrono::steady_clock::now();
      }
      const uint64_t through = relay.Forwarded() + relay.Dropped();
      pollfd fds[] = {{server.fd, POLLIN, 0}, {client.fd, POLLIN, 0}};
      if (poll(fds, 2, 5) == 0 && next == c.count && through == static_cast<uint64_t>(c.count + echoed)) break;
      // Each turn reads all that waits, so that no socket's buffer overflows.
      sockaddr_in from{};
      socklen_t size = sizeof from;
      for (ssize_t got; (got = recvfrom(server.fd, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&from), &size)) >= 0;) {
        sendto(server.fd, buffer.data(), static_cast<size_t>(got), 0, reinterpret_cast<sockaddr*>(&from), size);
        ++echoed;
      }
      for (ssize_t got; (got = recv(client.fd, buffer.data(), buffer.size(), MSG_DONTWAIT)) >= 0; ++answers) {
        EXPECT_EQ(sent.count(std::string(buffer.data(), static_cast<size_t>(got))), 1u) << "not an echo";
      }
    }
    EXPECT_GE(answers, c.fewest);
    EXPECT_LE(answers, c.most);
    // Every request and every echo was either forwarded or dropped.
    EXPECT_EQ(relay.Forwarded() + relay.Dropped(), static_cast<uint64_t>(c.count + echoed));
    EXPECT_EQ(relay.Forwarded(), static_cast<uint64_t>(echoed + answers));
  }
}
