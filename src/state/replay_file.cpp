#include "state/replay_file.h"

#include <algorithm>
#include <array>

#include "platform/version.h"
#include "state/record_codec.h"

namespace {

constexpr uint8_t kMagic[4] = {'B', 'W', 'R', 'P'};
constexpr uint8_t kTagCheck = 2, kTagEnd = 3, kTagHandOver = 4;
// A change's tag: this plus a bit for each field that differs from the
// record before (the pointer as a difference).
constexpr uint8_t kTagChange = 0x40;
constexpr uint64_t kMostFrames = uint64_t{1} << 40;

bool Fail(std::string* error, const std::string& why) {
  *error = why;
  return false;
}

bool DecodeHeader(ByteReader& in, ReplayHeader* h, std::string* error) {
  uint64_t magic = 0;
  for (int i = 0; i < 4; ++i) magic |= static_cast<uint64_t>(kMagic[i]) << (8 * i);
  if (in.Fixed(4) != magic || !in.ok) return Fail(error, "not a replay file");
  if (const uint64_t format = in.Fixed(2); format != kReplayFormatVersion)
    return Fail(error, "replay format " + std::to_string(format) + " is not supported");
  h->gameVersion = in.Text(32);
  if (!in.ok) return Fail(error, "the replay is damaged");
  if (h->gameVersion != kGameVersion)
    return Fail(error, "the replay is of game version " + h->gameVersion + ", this is version " + kGameVersion);
  h->randomState = static_cast<uint32_t>(in.Fixed(4));
  h->displayOption = in.Byte();
  h->startFrames = in.Var();
  h->startClock = in.Signed();
  in.Record(&h->startRecord);
  const uint64_t lastRound = in.Var();
  h->lastRound = static_cast<uint32_t>(lastRound);
  const uint8_t players = in.Byte();
  if (!in.ok || h->displayOption > 3 || players < 2 || players > 5 || h->startFrames > kMostFrames || lastRound > 1000000 ||
      h->startClock < 0 || h->startClock > static_cast<int64_t>(kMostFrames) * 1000)
    return Fail(error, "the replay is damaged");
  for (int i = 0; i < players; ++i) {
    ReplayPlayer p;
    p.name = in.Text(kReplayNameLength);
    p.colourIndex = static_cast<int16_t>(in.Byte());
    p.control = in.Byte();
    p.strength = static_cast<int16_t>(in.Byte());
    for (char c : p.name)
      if (!NameCharacter(c)) in.ok = false;
    if (!in.ok || p.colourIndex > 4 || p.control > 1 || p.strength > 2) return Fail(error, "the replay is damaged");
    h->players.push_back(p);
  }
  return true;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
  static const auto kTable = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::vector<uint8_t> EncodeReplay(const Replay& r) {
  ByteWriter out;
  for (uint8_t b : kMagic) out.Byte(b);
  out.Fixed(kReplayFormatVersion, 2);
  out.Text(r.header.gameVersion);
  out.Fixed(r.header.randomState, 4);
  out.Byte(r.header.displayOption);
  out.Var(r.header.startFrames);
  out.Signed(r.header.startClock);
  out.Record(r.header.startRecord);
  out.Var(r.header.lastRound);
  out.Byte(static_cast<uint8_t>(r.header.players.size()));
  for (const ReplayPlayer& p : r.header.players) {
    out.Text(p.name);
    out.Byte(static_cast<uint8_t>(p.colourIndex));
    out.Byte(static_cast<uint8_t>(p.control));
    out.Byte(static_cast<uint8_t>(p.strength));
  }
  // Changes, hand-overs and checks in frame order (at one frame: the change,
  // then the hand-overs, then the checks), each with the frames since the
  // entry before.
  struct Entry {
    uint64_t frame;
    int kind;  // 0 change, 1 hand-over, 2 check
    size_t index;
  };
  std::vector<Entry> entries;
  for (size_t i = 0; i < r.changes.size(); ++i) entries.push_back({r.changes[i].frame, 0, i});
  for (size_t i = 0; i < r.handOvers.size(); ++i) entries.push_back({r.handOvers[i].frame, 1, i});
  for (size_t i = 0; i < r.checks.size(); ++i) entries.push_back({r.checks[i].frame, 2, i});
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.frame != b.frame ? a.frame < b.frame : a.kind < b.kind; });
  uint64_t at = 0;
  for (const Entry& e : entries) {
    const uint64_t gap = e.frame - at;
    at = e.frame;
    if (e.kind == 0) {
      const FrameRecord& before = e.index == 0 ? r.header.startRecord : r.changes[e.index - 1].record;
      const uint8_t mask = ByteWriter::ChangeMask(before, r.changes[e.index].record);
      out.Byte(kTagChange | mask);
      out.Var(gap);
      out.ChangedFields(mask, before, r.changes[e.index].record);
    } else if (e.kind == 1) {
      out.Byte(kTagHandOver);
      out.Var(gap);
      out.Byte(r.handOvers[e.index].player);
    } else {
      out.Byte(kTagCheck);
      out.Var(gap);
      out.Fixed(r.checks[e.index].sum, 4);
    }
  }
  out.Byte(kTagEnd);
  out.Var(r.frames - at);
  out.Fixed(Crc32(out.bytes.data(), out.bytes.size()), 4);
  return out.bytes;
}

bool DecodeReplay(const uint8_t* data, size_t size, Replay* out, std::string* error) {
  *out = Replay();
  if (size > kReplayMaxBytes) return Fail(error, "the replay is too large");
  if (size < 8) return Fail(error, "the replay is truncated");
  const size_t body = size - 4;
  ByteReader crc(data + body, 4);
  if (crc.Fixed(4) != Crc32(data, body)) return Fail(error, "the replay is damaged or truncated (checksum)");
  ByteReader in(data, body);
  if (!DecodeHeader(in, &out->header, error)) return false;
  uint64_t at = 0;
  for (;;) {
    const uint8_t tag = in.Byte();
    const uint64_t delta = in.Var();
    if (!in.ok || delta > kMostFrames - at) return Fail(error, "the replay is damaged");
    at += delta;
    if (tag == kTagEnd) break;
    if ((tag & ~0x1F) == kTagChange) {
      ReplayChange change{at, {}};
      const FrameRecord& before = out->changes.empty() ? out->header.startRecord : out->changes.back().record;
      if (!in.Change(tag & 0x1F, before, &change.record) || (out->changes.empty() && at != 0) ||
          (!out->changes.empty() && delta == 0 && out->changes.back().frame == at))
        return Fail(error, "the replay is damaged");
      out->changes.push_back(change);
    } else if (tag == kTagHandOver) {
      const uint8_t player = in.Byte();
      if (player >= out->header.players.size()) return Fail(error, "the replay is damaged");
      out->handOvers.push_back({at, player});
    } else if (tag == kTagCheck) {
      out->checks.push_back({at, static_cast<uint32_t>(in.Fixed(4))});
    } else {
      return Fail(error, "the replay is damaged");
    }
    if (!in.ok) return Fail(error, "the replay is damaged");
  }
  if (in.Left() != 0 || (at > 0 && out->changes.empty())) return Fail(error, "the replay is damaged");
  out->frames = at;
  return true;
}
