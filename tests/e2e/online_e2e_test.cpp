// End-to-end: online play over the loopback. A host with a computer player
// and two joined machines with a human player each play three rounds with
// the shop (their scripts aim and fire, and buy nothing); a spectator comes
// in the second round. All four end with the same summary and replay, and
// the replay plays back to it. The same through a link that loses and delays
// packets; a joined machine killed during the game is played on by the
// computer; a wrong version, a sixth player and malformed packets are
// refused or dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

#include "net/enet_link.h"
#include "net/packet.h"
#include "platform/version.h"
#include "support/game_run.h"
#include "support/udp_relay.h"

using namespace e2e;

namespace {

// The host: any key past the prompt, Space to the set-up, its player a
// computer, then it waits for two joined players and starts, and holds a
// while at the start of round 2; later keys close the results and the
// standings.
std::string HostScript(int holdMs) {
  std::string s = "300 key 65\n600 key 32\n" + Click(800, 320, 300) + At(900, "net-wait 3");
  if (holdMs > 0) s += At(950, "net-hold 2 " + std::to_string(holdMs));
  s += Click(1000, 160, 440);
  for (int t = 3000; t < 900000; t += 1500) s += At(t, "key 65");
  return s;
}

// A joined player: past the prompt, then over and over a missile aimed up and
// right and charged, and a click on the shop's NEXT.
std::string JoinerScript() {
  std::string s = "300 key 65\n";
  for (int t = 1000; t < 900000; t += 2500)
    s += At(t, "mouse 560 80") + At(t + 100, "key 49") + At(t + 200, "ldown") + At(t + 800, "lup") +
         Click(t + 1500, 67, 150);
  return s;
}

RunOptions Machine(const std::string& script, std::vector<std::string> args) {
  RunOptions o;
  o.script = script;
  o.extraArgs = std::move(args);
  o.extraArgs.insert(o.extraArgs.end(), {"--no-music", "--record", "game.bwr"});
  o.timeoutSeconds = 240;
  return o;
}

std::string Address(int port) { return "127.0.0.1:" + std::to_string(port); }

// A host and two joined machines (joining at joinPort), run together; BOB's
// killed as the host holds at the start of round 2.
std::vector<GameRun> PlayOnline(const std::string& tag, int port, int joinPort, bool killBob = false) {
  std::promise<std::string> hostDir;
  std::shared_future<std::string> hostDirKnown = hostDir.get_future().share();
  std::vector<std::future<GameRun>> runs;
  runs.push_back(std::async(std::launch::async, [&] {
    RunOptions o = Machine(HostScript(killBob ? 1000 : 0), {"--host", std::to_string(port), "--rounds", "3"});
    o.onStart = [&](const std::string& dir) { hostDir.set_value(dir); };
    return RunGame(tag + "-host", o);
  }));
  for (const char* name : {"ALICE", "BOB"}) {
    RunOptions o = Machine(JoinerScript(), {"--join", Address(joinPort), "--name", name});
    runs.push_back(std::async(std::launch::async, [=] {
      RunOptions run = o;
      if (killBob && std::string(name) == "BOB") {
        run.killAfterFile = hostDirKnown.get() + "/stderr.txt";
        run.killAfterText = "holding at round 2";
      }
      return RunGame(tag + "-" + name, run);
    }));
  }
  std::vector<GameRun> out;
  for (auto& r : runs) out.push_back(r.get());
  return out;
}

void ExpectSameGame(const GameRun& a, const GameRun& b) {
  EXPECT_EQ(a.state["players"], b.state["players"]);
  EXPECT_EQ(a.state["round_log"], b.state["round_log"]);
}

GameRun PlayBack(const GameRun& game) {
  RunOptions o;
  o.dataFiles = {{"game.bwr", [&] {
                    const std::string bytes = ReadFile(game.dir + "/game.bwr");
                    return std::vector<uint8_t>(bytes.begin(), bytes.end());
                  }()}};
  o.extraArgs = {"--replay", "data/game.bwr", "--no-music"};
  return RunGame("online-playback", o);
}

}  // namespace

TEST(OnlineE2E, ThreeMachinesAndASpectatorPlayTheSameGameAsItsReplay) {
  constexpr int kPort = 47401;
  std::promise<std::string> hostDir;
  auto host = std::async(std::launch::async, [&] {
    RunOptions o = Machine(HostScript(30000), {"--host", std::to_string(kPort), "--rounds", "3"});
    o.onStart = [&](const std::string& dir) { hostDir.set_value(dir); };
    return RunGame("online-host", o);
  });
  std::vector<std::future<GameRun>> guests;
  for (const char* name : {"ALICE", "BOB"})
    guests.push_back(std::async(std::launch::async, [=] {
      return RunGame(std::string("online-") + name, Machine(JoinerScript(), {"--join", Address(kPort), "--name", name}));
    }));
  // The spectator comes once the host waits for it at the start of round 2.
  RunOptions watch = Machine("300 key 65\n", {"--watch", Address(kPort)});
  watch.startAfterFile = hostDir.get_future().get() + "/stderr.txt";
  watch.startAfterText = "holding at round 2";
  const GameRun spectator = RunGame("online-watch", watch);
  const GameRun game = host.get();

  ASSERT_TRUE(game.Clean()) << game.stderrText;
  ASSERT_EQ(game.state["round_log"].size(), 3u);
  EXPECT_EQ(game.state["scene"], "standings");
  for (auto& g : guests) {
    const GameRun guest = g.get();
    ASSERT_TRUE(guest.Clean()) << guest.stderrText;
    ExpectSameGame(guest, game);
    EXPECT_EQ(ReadFile(guest.dir + "/game.bwr"), ReadFile(game.dir + "/game.bwr"));
  }
  ASSERT_TRUE(spectator.Clean()) << spectator.stderrText;
  ExpectSameGame(spectator, game);
  const uint64_t firstRound = game.state["round_log"][0]["frames"];
  EXPECT_GT(spectator.state["net"]["caught_up"].get<uint64_t>(), firstRound);  // it came in round 2
  EXPECT_EQ(game.state["net"]["dropped"], 0);

  const GameRun replay = PlayBack(game);
  ASSERT_TRUE(replay.Clean()) << replay.stderrText;
  ExpectSameGame(replay, game);
}

TEST(OnlineE2E, AJoinedMachineKilledDuringTheGameIsPlayedOnByTheComputer) {
  const std::vector<GameRun> runs = PlayOnline("online-kill", 47403, 47403, true);
  const GameRun &host = runs[0], &alice = runs[1];
  ASSERT_TRUE(host.Clean()) << host.stderrText;
  ASSERT_TRUE(alice.Clean()) << alice.stderrText;
  EXPECT_NE(runs[2].exitCode, 0);
  ExpectSameGame(alice, host);
  ASSERT_EQ(host.state["round_log"].size(), 3u);
  int computers = 0;
  for (const auto& p : host.state["players"]) computers += p["control"].get<int>();
  EXPECT_EQ(computers, 2);  // the host's own and the killed machine's
  const GameRun replay = PlayBack(host);
  ASSERT_TRUE(replay.Clean()) << replay.stderrText;
  ExpectSameGame(replay, host);
}

TEST(OnlineE2E, ALinkThatLosesAndDelaysPacketsPlaysTheSameGame) {
  constexpr int kPort = 47402;
  UdpRelay relay(kPort, RelayOptions{0.1, 50, 150, 7});
  const std::vector<GameRun> runs = PlayOnline("online-lossy", kPort, relay.ListenPort());
  std::string stderrs;
  for (const GameRun& r : runs) stderrs += r.dir + ":\n" + r.stderrText;
  for (const GameRun& r : runs) ASSERT_TRUE(r.Clean()) << stderrs;
  ExpectSameGame(runs[1], runs[0]);
  ExpectSameGame(runs[2], runs[0]);
  EXPECT_EQ(runs[0].state["round_log"].size(), 3u);
  EXPECT_GT(relay.Dropped(), 0u);
}

TEST(OnlineE2E, MachinesThatPlayDifferentLandscapesStopOutOfSyncAndKeepTheirReplays) {
  constexpr int kPort = 47407;
  // The joined machine's level file has its playable levels shifted by one:
  // the same game draws another landscape there.
  std::string levels = ReadFile(std::string(BULWARK_BUILD_DIR) + "/data/level.frc");
  ASSERT_EQ(levels.size(), 26000u);
  std::rotate(levels.begin(), levels.begin() + 26, levels.begin() + 65 * 26);
  auto host = std::async(std::launch::async, [] {
    return RunGame("online-sync-host", Machine("300 key 65\n600 key 32\n" + Click(800, 320, 300) + At(900, "net-wait 2") +
                                                   Click(1000, 160, 440),
                                               {"--host", std::to_string(kPort)}));
  });
  RunOptions o = Machine(JoinerScript(), {"--join", Address(kPort)});
  o.dataFiles = {{"level.frc", std::vector<uint8_t>(levels.begin(), levels.end())}};
  const GameRun joiner = RunGame("online-sync-joiner", o);
  const GameRun game = host.get();
  for (const GameRun* r : {&game, &joiner}) {
    EXPECT_EQ(r->exitCode, 1);
    ASSERT_EQ(r->Messages().size(), 1u) << r->stderrText;
    EXPECT_EQ(r->Messages()[0], "OUT OF SYNC AT FRAME 0");
    EXPECT_FALSE(ReadFile(r->dir + "/game.bwr").empty());
  }
}

namespace {

// The test's own machine on the link: connects, says hello, and gives the
// first answer it gets (within 15 s: a host under the sanitizers is slow to
// start).
Packet Hello(NetLink& link, int port, const std::string& version) {
  std::string error;
  EXPECT_TRUE(link.Connect("127.0.0.1", static_cast<uint16_t>(port), 5000, &error)) << error;
  Packet hello;
  hello.kind = PacketKind::kHello;
  hello.version = version;
  hello.name = "FAKE";
  link.Send(0, EncodePacket(hello));
  NetLink::Event e;
  Packet answer;
  answer.kind = PacketKind::kEnd;
  for (int i = 0; i < 600; ++i)
    if (link.Poll(&e, 25) && e.type == NetLink::Event::kReceive && DecodePacket(e.bytes.data(), e.bytes.size(), &answer))
      break;
  return answer;
}

// A host that refuses whoever says hello, for a while (bounded).
void RefusingHost(int port, RefusalReason reason, std::promise<void>* listening) {
  NetLink link;
  std::string error;
  ASSERT_TRUE(link.Listen(static_cast<uint16_t>(port), 4, &error)) << error;
  listening->set_value();
  NetLink::Event e;
  for (int i = 0; i < 600; ++i) {
    if (!link.Poll(&e, 10) || e.type != NetLink::Event::kReceive) continue;
    Packet refusal;
    refusal.kind = PacketKind::kRefused;
    refusal.reason = static_cast<uint8_t>(reason);
    refusal.version = "9.9";
    link.Send(e.machine, EncodePacket(refusal));
  }
  link.Close(100);
}

}  // namespace

TEST(OnlineE2E, AWrongVersionASixthPlayerAndMalformedPacketsAreRefused) {
  constexpr int kPort = 47404;
  // The host waits in its set-up for five players, and leaves a while later.
  auto host = std::async(std::launch::async, [] {
    RunOptions o = Machine("300 key 65\n600 key 32\n900 net-wait 5\n30000 quit\n", {"--host", std::to_string(kPort)});
    return RunGame("online-refusals", o);
  });
  NetLink joined[5];
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(Hello(joined[0], kPort, kGameVersion).kind, PacketKind::kWelcome);
  // Garbage, a packet of an unknown kind, one too long, input before any game.
  for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>{0xEE, 1, 2}, std::vector<uint8_t>{7, 0x80},
                                          std::vector<uint8_t>(kMaxPacketBytes + 1, 7),
                                          [] {
                                            Packet p;
                                            p.kind = PacketKind::kOutOfSync;
                                            return EncodePacket(p);
                                          }()})
    joined[0].Send(0, bad);
  joined[0].Flush();
  const Packet wrong = Hello(joined[1], kPort, "0.1");
  EXPECT_EQ(wrong.kind, PacketKind::kRefused);
  EXPECT_EQ(wrong.reason, static_cast<uint8_t>(RefusalReason::kVersion));
  for (int i = 1; i < 4; ++i) {
    NetLink& link = i == 1 ? joined[4] : joined[i];
    EXPECT_EQ(Hello(link, kPort, kGameVersion).kind, PacketKind::kWelcome) << i;
  }
  NetLink sixth;
  const Packet full = Hello(sixth, kPort, kGameVersion);
  EXPECT_EQ(full.kind, PacketKind::kRefused);
  EXPECT_EQ(full.reason, static_cast<uint8_t>(RefusalReason::kFull));
  // Keep the four connections answered until the host has left.
  NetLink::Event e;
  for (int i = 0; i < 400 && host.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready; ++i)
    for (NetLink* link : {&joined[0], &joined[2], &joined[3], &joined[4]}) link->Poll(&e, 2);
  const GameRun game = host.get();
  ASSERT_TRUE(game.Clean()) << game.stderrText;
  EXPECT_EQ(game.state["net"]["dropped"], 3);  // the packet over the limit never reaches the game
  EXPECT_EQ(game.state["players"].size(), 5u);

  // The joining side: the host's answer in one line, and exit code 1.
  struct Case {
    RefusalReason reason;
    const char* says;
  };
  int port = 47405;
  for (const Case& c : {Case{RefusalReason::kVersion, "runs version 9.9, this is version"},
                        Case{RefusalReason::kFull, "is full (five players)"}}) {
    std::promise<void> listening;
    std::thread refusing(RefusingHost, port, c.reason, &listening);
    listening.get_future().wait();
    const GameRun joiner = RunGame("online-refused", Machine("300 key 65\n", {"--join", Address(port)}));
    refusing.join();
    EXPECT_EQ(joiner.exitCode, 1);
    EXPECT_NE(joiner.stderrText.find(c.says), std::string::npos) << joiner.stderrText;
    ++port;
  }
}
