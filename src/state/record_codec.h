// The byte coding shared by replay files and online play's packets: whole
// numbers little-endian or as variable-length (7 bits a byte), short texts,
// and frame records, whole or as the fields that differ from the record
// before. The reader never reads past its end: the first failure sticks in
// `ok` and every later read gives 0.
//
// Threads: any (plain data; the caller owns it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/key_codes.h"
#include "state/frame_record.h"

// The fields of a record that differ from the record before, one bit each.
inline constexpr uint8_t kChangeX = 1, kChangeY = 2, kChangeButtons = 4, kChangeKey = 8, kChangeWeapons = 16;

class ByteWriter {
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
  static uint8_t ChangeMask(const FrameRecord& before, const FrameRecord& r) {
    return static_cast<uint8_t>(
        (r.cursorX != before.cursorX ? kChangeX : 0) | (r.cursorY != before.cursorY ? kChangeY : 0) |
        (Buttons(r) != Buttons(before) ? kChangeButtons : 0) | (r.lastKey != before.lastKey ? kChangeKey : 0) |
        (r.weaponKeys != before.weaponKeys ? kChangeWeapons : 0));
  }
  // The fields of `mask` that differ from `before` (the pointer as a difference).
  void ChangedFields(uint8_t mask, const FrameRecord& before, const FrameRecord& r) {
    if (mask & kChangeX) Signed(r.cursorX - before.cursorX);
    if (mask & kChangeY) Signed(r.cursorY - before.cursorY);
    if (mask & kChangeButtons) Byte(Buttons(r));
    if (mask & kChangeKey) Var(static_cast<uint32_t>(r.lastKey));
    if (mask & kChangeWeapons) Var(r.weaponKeys);
  }
  std::vector<uint8_t> bytes;
};

// Reads front to back within [data, data + size); the first failure sticks.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
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
  // The next n bytes as they stand.
  std::vector<uint8_t> Bytes(size_t n) {
    if (n > Left()) {
      ok = false;
      return {};
    }
    std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
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
    const uint8_t buttons = (mask & kChangeButtons) ? Byte() : ByteWriter::Buttons(before);
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

// Names as the player set-up lets them be typed: capitals, digits and spaces.
inline bool NameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '; }
