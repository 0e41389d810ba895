// End-to-end: replays. A game of a human against the computer, played through
// a script, is recorded: a missile and a grenade aimed and charged, the shop's
// DIRECT MISSILE bought and fired at a marked target in the second round, Esc
// and Y within one frame (the question stays), N, then the window closed. Its
// replay gives the same summary and the same pictures at the same moments; a
// replay with one record changed stops out of sync; damaged, truncated and
// other versions' replays are refused; a replays folder that cannot be written
// costs one line on stderr; a game with a HARD computer left for the standings
// replays to the same standings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "state/replay_file.h"
#include "support/game_run.h"

using namespace e2e;

namespace {

// The moments (ms) at which both runs save a picture and a summary.
const int kLooks[] = {2000, 3000, 21000, 38500, 43200, 44000, 53000, 55500, 56000, 60300, 61000};

std::string Looks() {
  std::string s;
  for (int ms : kLooks)
    s += At(ms, "shot p" + std::to_string(ms) + ".png") + At(ms, "state s" + std::to_string(ms) + ".json");
  return s;
}

// The menu: NEXT OPPONENT, the opponent a computer, PLAY GAME. Round 1: a
// missile far up and right, a grenade and a missile onto the own fort, which
// falls; the results closed; the shop: DIRECT MISSILE's slot, BUY, NEXT.
// Round 2: 5 for the DIRECT MISSILE, its target marked, the shot charged.
constexpr const char* kGame =
    "300 key 65\n600 key 32\n"
    "800 mouse 480 440\n800 ldown\n800 lup\n1000 mouse 320 300\n1000 ldown\n1000 lup\n"
    "1200 mouse 160 440\n1200 ldown\n1200 lup\n"
    "2500 mouse 560 80\n2600 key 49\n2700 ldown\n3300 lup\n"
    "20000 mouse 100 150\n20100 key 51\n20200 ldown\n20500 lup\n"
    "36500 mouse 292 40\n36600 key 49\n36700 ldown\n36800 lup\n42000 key 65\n"
    "43000 mouse 236 328\n43000 ldown\n43000 lup\n43500 mouse 320 444\n43500 ldown\n43500 lup\n"
    "44500 mouse 67 150\n44500 ldown\n44500 lup\n"
    "54000 key 53\n54500 mouse 520 220\n54500 ldown\n54500 lup\n55000 mouse 400 80\n55100 ldown\n55700 lup\n"
    "60000 key 27\n60000 key 89\n60500 key 78\n62000 quit\n";

// Script lines in the order of their times (a command waits for those before it in the file).
std::string InTimeOrder(const std::string& script) {
  std::vector<std::pair<long, std::string>> lines;
  size_t from = 0;
  for (size_t end; (end = script.find('\n', from)) != std::string::npos; from = end + 1)
    lines.emplace_back(std::stol(script.substr(from)), script.substr(from, end + 1 - from));
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string out;
  for (const auto& line : lines) out += line.second;
  return out;
}

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

const GameRun& RecordedGame() {
  static const GameRun run = [] {
    RunOptions o;
    o.script = InTimeOrder(kGame + Looks());
    o.extraArgs = {"--record", "game.bwr"};
    return RunGame("replay-record", o);
  }();
  return run;
}

GameRun PlayBack(const std::string& tag, const std::vector<uint8_t>& replay) {
  RunOptions o;
  o.script = Looks();
  o.dataFiles = {{"game.bwr", replay}};
  o.extraArgs = {"--replay", "data/game.bwr"};
  return RunGame(tag, o);
}

Replay Decoded(const std::vector<uint8_t>& bytes) {
  Replay r;
  std::string error;
  EXPECT_TRUE(DecodeReplay(bytes.data(), bytes.size(), &r, &error)) << error;
  return r;
}

}  // namespace

TEST(ReplayE2E, AScriptedGameReplaysToTheSameSummaryAndPictures) {
  const GameRun& game = RecordedGame();
  ASSERT_TRUE(game.Clean()) << game.stderrText;
  ASSERT_EQ(game.state["round_log"].size(), 2u);
  EXPECT_EQ(game.state["players"][0]["ledger"]["spent"], 1000);  // the DIRECT MISSILE
  EXPECT_EQ(game.Snapshot("s55500.json")["current_weapon"], 4);
  EXPECT_EQ(game.Snapshot("s60300.json")["scene"], "quit-question");  // Y of the same frame went with the Esc
  EXPECT_EQ(game.Snapshot("s61000.json")["scene"], "round");

  const GameRun replay = PlayBack("replay-play", Bytes(ReadFile(game.dir + "/game.bwr")));
  ASSERT_TRUE(replay.Clean()) << replay.stderrText;
  EXPECT_EQ(replay.state, game.state);
  for (int ms : kLooks) {
    const std::string name = std::to_string(ms);
    EXPECT_EQ(replay.Snapshot("s" + name + ".json"), game.Snapshot("s" + name + ".json")) << ms;
    const Shot a = game.LoadShot("p" + name + ".png"), b = replay.LoadShot("p" + name + ".png");
    ASSERT_EQ(a.px.size(), size_t{640 * 480}) << ms;
    EXPECT_EQ(CountDiffering(a, b), 0) << ms;
  }
}

TEST(ReplayE2E, AChangedRecordGoesOutOfSyncAndBadFilesAreRefused) {
  const GameRun& game = RecordedGame();
  const std::vector<uint8_t> good = Bytes(ReadFile(game.dir + "/game.bwr"));
  ASSERT_GT(good.size(), 100u);

  // The first press of the game let go of: the missile is never fired.
  Replay changed = Decoded(good);
  uint64_t changedAt = 0;
  for (ReplayChange& c : changed.changes)
    if (c.record.leftButton == 1 && c.frame > 0) {
      c.record.leftButton = 0;
      changedAt = c.frame;
      break;
    }
  ASSERT_NE(changedAt, 0u);
  const GameRun sync = PlayBack("replay-changed", EncodeReplay(changed));
  EXPECT_EQ(sync.exitCode, 1) << sync.stderrText;
  const std::vector<std::string> messages = sync.Messages();
  ASSERT_EQ(messages.size(), 1u);
  const std::string prefix = "REPLAY OUT OF SYNC AT FRAME ";
  ASSERT_EQ(messages[0].rfind(prefix, 0), 0u) << messages[0];
  const uint64_t frame = std::stoull(messages[0].substr(prefix.size()));
  EXPECT_GT(frame, changedAt);
  EXPECT_LE(frame, changedAt + 600);

  Replay older = Decoded(good);
  older.header.gameVersion = "0.9";
  std::vector<uint8_t> flipped = good, cut = good;
  flipped[good.size() / 2] ^= 0x10;
  cut.resize(good.size() - 9);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* says;
  };
  const Case cases[] = {
      {"a byte changed", flipped, "checksum"},
      {"truncated", cut, "checksum"},
      {"empty", {}, "truncated"},
      {"another version", EncodeReplay(older), "game version 0.9"},
  };
  for (const Case& c : cases) {
    const GameRun run = PlayBack("replay-refused", c.bytes);
    EXPECT_EQ(run.exitCode, 1) << c.what;
    EXPECT_NE(run.stderrText.find("cannot play the replay"), std::string::npos) << c.what << run.stderrText;
    EXPECT_NE(run.stderrText.find(c.says), std::string::npos) << c.what << run.stderrText;
  }
}

TEST(ReplayE2E, GamesGoToTheReplaysFolderOrCostOneLineWhenItCannotBeWritten) {
  // A game of two set up and left at once: Esc, Y, a key closes the standings.
  RunOptions o;
  o.script = "300 key 65\n600 key 32\n" + Click(800, 480, 440, true) + Click(1000, 160, 440, true) +
             "2000 key 27\n2300 key 89\n4800 key 32\n5100 key 27\n";
  const GameRun saved = RunGame("replay-folder", o);
  EXPECT_TRUE(saved.Clean()) << saved.stderrText;
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(saved.dir + "/xdg/bulwark/replays"))
    files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].extension(), ".bwr");
  EXPECT_EQ(Decoded(Bytes(ReadFile(files[0].string()))).header.players.size(), 2u);

  o.env = {"XDG_DATA_HOME=/dev/null/replays"};
  const GameRun unwritable = RunGame("replay-unwritable", o);
  EXPECT_TRUE(unwritable.Clean()) << unwritable.stderrText;
  EXPECT_NE(unwritable.stderrText.find("cannot write the replay"), std::string::npos) << unwritable.stderrText;
  EXPECT_EQ(std::count(unwritable.stderrText.begin(), unwritable.stderrText.end(), '\n'), 1);
}

// Two humans and a HARD computer over three rounds chosen in the menu: the
// humans fire weak shots, the computer answers as HARD, Esc then Y leaves for
// the standings and a key closes them. The replay (strengths and rounds from
// its header) shows the same standings at the same moment.
TEST(ReplayE2E, AHardComputerAndTheStandingsReplayTheSame) {
  std::string script = "300 key 65\n600 key 32\n" + Click(800, 480, 441) + Click(1600, 480, 441) +
                       Click(2400, 320, 302) + Click(2700, 320, 302) + Click(3000, 160, 302) +
                       Click(3400, 160, 441);
  for (int t = 6000; t < 30000; t += 1500) script += Click(t, 55, 152, true);
  script += "30500 key 27\n30600 key 89\n" + At(32000, "state standings.json") + "33000 key 32\n" +
            At(34000, "quit");
  RunOptions o;
  o.script = InTimeOrder(script);
  o.extraArgs = {"--record", "game.bwr"};
  const GameRun game = RunGame("replay-standings", o);
  ASSERT_TRUE(game.Clean()) << game.stderrText;
  const auto standings = game.Snapshot("standings.json");
  ASSERT_EQ(standings["scene"], "standings");
  EXPECT_EQ(standings["players"][2]["strength"], 1);
  EXPECT_EQ(standings["rounds_to_play"], 3);

  RunOptions p;
  p.script = At(32000, "state standings.json");
  p.dataFiles = {{"game.bwr", Bytes(ReadFile(game.dir + "/game.bwr"))}};
  p.extraArgs = {"--replay", "data/game.bwr"};
  const GameRun replay = RunGame("replay-standings-play", p);
  ASSERT_TRUE(replay.Clean()) << replay.stderrText;
  EXPECT_EQ(replay.Snapshot("standings.json"), standings);
}
