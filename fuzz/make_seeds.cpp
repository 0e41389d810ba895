// Writes the seed inputs of the fuzz targets, one folder per target, from the
// same small files the tests build: sprite banks of patterned and solid
// pictures, sound banks of short square waves, level files of numbered
// records, game.ini variants, scripts like the end-to-end tests' own and
// replays, settings files and online play's packets.
//
//   bulwark-fuzz-seeds --out DIR
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/version.h"
#include "net/packet.h"
#include "support/sample_packet.h"
#include "state/replay_file.h"
#include "support/sound_bank_builder.h"
#include "support/sprite_bank_bytes.h"
#include "state/settings.h"
#include "world/level_file.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

bool Write(const fs::path& dir, const std::string& name, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream f(dir / name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::vector<std::pair<std::string, Bytes>> SpriteBanks() {
  using namespace testbank;
  std::vector<Picture> canvases(442, SolidPicture(1, 1, 0x0421));
  canvases[0] = PatternPicture(8, 6, 10);
  canvases[441] = PatternPicture(6, 5, 13);
  std::vector<Picture> stops = {PatternPicture(3, 2, 1), Picture{0, 4, {}}, PatternPicture(2, 2, 2)};
  return {
      {"one.spr", MakeBank({PatternPicture(4, 3, 1)})},
      {"three.spr", MakeBank({PatternPicture(6, 4, 1, true), SolidPicture(5, 5, 0x7FFF), PatternPicture(7, 3, 3)})},
      {"runs.spr", RawBank(3, {{5, 2, 0}, {4, 5, 10}, {10, 2, 100}},
                           {0x8005, 0x7FFF, 0x8000, 0x1234, 0x001F, 0x03E0, 0x7C00, 0x7FFF, 0x8000 + 111, 0xFFFF})},
      {"stops.spr", MakeBank(stops)},
      {"canvases.spr", MakeBank(canvases)},
  };
}

std::vector<std::pair<std::string, Bytes>> SoundBanks() {
  using soundtest::BuildSoundBank;
  using soundtest::SquareWave16;
  // Byte 0 (slot 0's channel count, unused by the game) is the target's quality.
  auto withQuality = [](Bytes bank, uint8_t quality) {
    bank[0] = quality;
    return bank;
  };
  Bytes eight(40);
  for (size_t i = 0; i < eight.size(); ++i) eight[i] = static_cast<uint8_t>(128 + (i % 8 < 4 ? 60 : -60));
  const Bytes mixed = BuildSoundBank({{1, 1, 44100, 16, 0, SquareWave16(32, 1, 8000, 8)},
                                      {5, 2, 22050, 8, 1, eight},
                                      {9, 2, 48000, 16, 0, SquareWave16(24, 2, -5000, 6)}});
  return {
      {"empty.sdf", withQuality(BuildSoundBank({}), 11)},
      {"mixed-11.sdf", withQuality(mixed, 11)},
      {"mixed-4.sdf", withQuality(mixed, 4)},
      {"mixed-2.sdf", withQuality(mixed, 2)},
  };
}

Bytes LevelFile(int records) {
  Bytes bytes(static_cast<size_t>(records) * kLevelRecordSize);
  for (int i = 0; i < records; ++i) {
    LevelParams l;
    l.left = -1.5f - i * 0.001f;
    l.top = -0.75f;
    l.right = 1.5f + i * 0.001f;
    l.bottom = 0.75f;
    l.cReal = 0.01f * i - 0.8f;
    l.cImag = 0.156f;
    l.iterationLimit = static_cast<uint16_t>(20 + i % 40);
    EncodeLevelRecord(l, bytes.data() + static_cast<size_t>(i) * kLevelRecordSize);
  }
  return bytes;
}

std::vector<std::pair<std::string, Bytes>> Scripts() {
  return {
      {"esc.txt", Text("300 key 65\n500 key 27\n")},
      {"every.txt", Text("# every command once\n100 mouse 64 210\n\n150 ldown\n200 lup\n250 rdown\n300 rup\n"
                         "350 shot title.png\n400 state now.json\n450 sound 18\n500 wait-sound\n"
                         "550 lose-display\n600 restore-display\n650 key 32\r\n660 keydown 9\n670 keyup 9\n"
                         "680 wait-music 100\n700 quit\n")},
      {"round.txt", Text("300 key 32\n400 key 65\n500 mouse 400 300\n600 ldown\n1200 lup\n90000 key 27\n"
                         "90100 key 89\n")},
  };
}

// Replays without their last four bytes (the target appends the CRC): a
// short game, and one with every kind of entry and a long gap.
std::vector<std::pair<std::string, Bytes>> Replays() {
  Replay r;
  r.header.gameVersion = kGameVersion;
  r.header.randomState = 12345;
  r.header.players = {{"BOB", 0, 0}, {"NONAME 02", 2, 1}};
  r.changes = {{0, {}}, {5, {320, 200, 1, 0, 0, 65, 0}}, {9, {-3, 479, 0, 1, 1, 0, 0x33353000}}};
  r.checks = {{0, 0xDEADBEEF}, {9, 7}};
  r.handOvers = {{9, 1}};
  r.frames = 700;
  Bytes full = EncodeReplay(r);
  full.resize(full.size() - 4);
  Replay empty;
  empty.header = r.header;
  Bytes none = EncodeReplay(empty);
  none.resize(none.size() - 4);
  return {{"game.bwr", full}, {"empty.bwr", none}};
}

// Online play's packets: one of every kind.
std::vector<std::pair<std::string, Bytes>> Packets() {
  std::vector<std::pair<std::string, Bytes>> out;
  for (int kind = static_cast<int>(PacketKind::kHello); kind <= static_cast<int>(PacketKind::kEnd); ++kind) {
    const Packet p = SamplePacket(static_cast<PacketKind>(kind));
    out.push_back({"packet-" + std::to_string(kind), EncodePacket(p)});
  }
  return out;
}

// Settings files: every key, comments and CRLF, and one written by the game.
std::vector<std::pair<std::string, Bytes>> SettingsFiles() {
  Settings played;
  played.players = 2;
  played.player[0] = {"BOB", 1, 1};
  played.player[1] = {"ANN 2", 3, 0};
  return {
      {"written.ini", Text(FormatSettings(played))},
      {"hand.ini", Text("# by hand\r\n; old\neffects_volume=40\n  music_volume =  0 \nfullscreen = no\n"
                         "display_mode = 800x600\nunknown = 1\nplayers = 1\nplayer1_control = computer\n")},
      {"damaged.ini", Text("fullscreen = yes\nmusic_volume\n")},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "--out") != 0) {
    std::fprintf(stderr, "usage: %s --out DIR\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[2];
  bool ok = true;
  for (const auto& [name, bytes] : SpriteBanks()) ok &= Write(out / "fuzz_sprite_bank", name, bytes);
  for (const auto& [name, bytes] : SoundBanks()) ok &= Write(out / "fuzz_sound_bank", name, bytes);
  ok &= Write(out / "fuzz_level_file", "level.frc", LevelFile(kLevelCount));
  ok &= Write(out / "fuzz_level_file", "short.frc", LevelFile(3));
  for (const Bytes& ini : {Bytes{1, 0, 0}, Bytes{3, 0, 0}, Bytes{0, 1, 1, 9}, Bytes{2}, Text("100")})
    ok &= Write(out / "fuzz_config", "game-" + std::to_string(ini.size()) + "-" + std::to_string(ini[0]) + ".ini", ini);
  for (const auto& [name, bytes] : Scripts()) ok &= Write(out / "fuzz_script", name, bytes);
  for (const auto& [name, bytes] : Replays()) ok &= Write(out / "fuzz_replay", name, bytes);
  for (const auto& [name, bytes] : SettingsFiles()) ok &= Write(out / "fuzz_settings", name, bytes);
  for (const auto& [name, bytes] : Packets()) ok &= Write(out / "fuzz_packet", name, bytes);
  if (!ok) std::fprintf(stderr, "bulwark-fuzz-seeds: cannot write into %s\n", out.c_str());
  return ok ? 0 : 1;
}
