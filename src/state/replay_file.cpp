#include "state/replay_file.h"

#include <array>

#include "platform/key_codes.h"
#include "platform/version.h"

namespace {

constexpr uint8_t kMagic[4] = {'B', 'W', 'R', 'P'};
constexpr uint8_t kTagCheck = 2, kTagEnd = 3;
// A change's tag: this plus a bit for each field that differs from the
// record before (the pointer as a difference).
constexpr uint8_t kTagChange = 0x40;
constexpr uint8_t kChangeX = 1, kChangeY = 2, kChangeButtons = 4, kChangeKey = 8, kChangeWeapons = 16;
constexpr uint64_t kMostFrames = uint64_t{1} << 40;

class Writer {
 public:
  void Byte(uint8_t b) { bytes.push_back(b); }
  void Fixed(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Var(uint64_t v) {
    while (v >= 0x80) {
      Byte(static_cast<uint8_t>(v | 0x80));
      v >>= 7;
    }
    Byte(static_cast<uint8_t>(v));
  }
  void Signed(int64_t v) { Var((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63)); }
  void Text(const std::string& s) {
    Byte(static_cast<uint8_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }
  static uint8_t Buttons(const FrameRecord& r) {
    return static_cast<uint8_t>(r.leftButton | r.rightButton << 1 | r.tabHeld << 2);
  }
  void Record(const FrameRecord& r) {
    Signed(r.cursorX);
    Signed(r.cursorY);
    Byte(Buttons(r));
    Var(static_cast<uint32_t>(r.lastKey));
    Var(r.weaponKeys);
  }
  // The tag, the frames since the entry before, and the fields that differ from `before`.
  void Change(uint64_t gap, const FrameRecord& before, const FrameRecord& r) {
    const uint8_t mask = static_cast<uint8_t>(
        (r.cursorX != before.cursorX ? kChangeX : 0) | (r.cursorY != before.cursorY ? kChangeY : 0) |
        (Buttons(r) != Buttons(before) ? kChangeButtons : 0) | (r.lastKey != before.lastKey ? kChangeKey : 0) |
        (r.weaponKeys != before.weaponKeys ? kChangeWeapons : 0));
    Byte(kTagChange | mask);
    Var(gap);
    if (mask & kChangeX) Signed(r.cursorX - before.cursorX);
    if (mask & kChangeY) Signed(r.cursorY - before.cursorY);
    if (mask & kChangeButtons) Byte(Buttons(r));
    if (mask & kChangeKey) Var(static_cast<uint32_t>(r.lastKey));
    if (mask & kChangeWeapons) Var(r.weaponKeys);
  }
  std::vector<uint8_t> bytes;
};

// Reads front to back within [data, data + size); the first failure sticks.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok = true;
  size_t Left() const { return size_ - pos_; }
  uint8_t Byte() {
    if (pos_ >= size_) {
      ok = false;
      return 0;
    }
    return data_[pos_++];
  }
  uint64_t Fixed(int n) {
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(Byte()) << (8 * i);
    return v;
  }
  uint64_t Var() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = Byte();
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return v;
    }
    ok = false;
    return 0;
  }
  int64_t Signed() {
    const uint64_t v = Var();
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
  }
  // A pointer's move: anything beyond the 16-bit range fails.
  int64_t Step() {
    const int64_t d = Signed();
    if (d < -65536 || d > 65536) ok = false;
    return ok ? d : 0;
  }
  std::string Text(size_t most) {
    const size_t n = Byte();
    if (n > most || n > Left()) {
      ok = false;
      return {};
    }
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  bool Record(FrameRecord* r) {
    const int64_t x = Signed(), y = Signed();
    const uint8_t buttons = Byte();
    const uint64_t key = Var(), weapons = Var();
    return Check(x, y, buttons, key, weapons, r);
  }
  // The fields of a change tagged with `mask`, over the record before.
  bool Change(uint8_t mask, const FrameRecord& before, FrameRecord* r) {
    const int64_t x = before.cursorX + ((mask & kChangeX) ? Step() : 0);
    const int64_t y = before.cursorY + ((mask & kChangeY) ? Step() : 0);
    const uint8_t buttons = (mask & kChangeButtons) ? Byte() : Writer::Buttons(before);
    const uint64_t key = (mask & kChangeKey) ? Var() : static_cast<uint64_t>(before.lastKey);
    const uint64_t weapons = (mask & kChangeWeapons) ? Var() : before.weaponKeys;
    return Check(x, y, buttons, key, weapons, r);
  }
  // A record's fields within their ranges: the pointer in 16 bits, three
  // buttons, a key code, up to four digit keys.
  bool Check(int64_t x, int64_t y, uint8_t buttons, uint64_t key, uint64_t weapons, FrameRecord* r) {
    if (!ok || x < INT16_MIN || x > INT16_MAX || y < INT16_MIN || y > INT16_MAX || buttons > 7 ||
        key > static_cast<uint64_t>(platform::kHighestKeyCode) || weapons > UINT32_MAX)
      return ok = false;
    for (int shift = 0; shift < 32; shift += 8)
      if (const int vk = (weapons >> shift) & 0xFF; vk != 0 && (vk < '0' || vk > '9')) return ok = false;
    r->cursorX = static_cast<int16_t>(x);
    r->cursorY = static_cast<int16_t>(y);
    r->leftButton = buttons & 1;
    r->rightButton = (buttons >> 1) & 1;
    r->tabHeld = (buttons >> 2) & 1;
    r->lastKey = static_cast<int32_t>(key);
    r->weaponKeys = static_cast<uint32_t>(weapons);
    return ok;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

bool NameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '; }

bool Fail(std::string* error, const std::string& why) {
  *error = why;
  return false;
}

bool DecodeHeader(Reader& in, ReplayHeader* h, std::string* error) {
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
  Writer out;
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
  // Changes and checks in frame order (a frame's change before its checks),
  // each with the frames since the entry before.
  uint64_t at = 0;
  size_t c = 0, k = 0;
  while (c < r.changes.size() || k < r.checks.size()) {
    const bool change = c < r.changes.size() && (k == r.checks.size() || r.changes[c].frame <= r.checks[k].frame);
    const uint64_t frame = change ? r.changes[c].frame : r.checks[k].frame;
    if (change) {
      out.Change(frame - at, c == 0 ? r.header.startRecord : r.changes[c - 1].record, r.changes[c].record);
      ++c;
    } else {
      out.Byte(kTagCheck);
      out.Var(frame - at);
      out.Fixed(r.checks[k++].sum, 4);
    }
    at = frame;
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
  Reader crc(data + body, 4);
  if (crc.Fixed(4) != Crc32(data, body)) return Fail(error, "the replay is damaged or truncated (checksum)");
  Reader in(data, body);
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
