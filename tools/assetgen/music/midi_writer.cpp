#include "assetgen/music/midi_writer.h"

#include <algorithm>

namespace music {

namespace {

enum Rank { kMeta = 0, kNoteOff = 1, kSetting = 2, kNoteOn = 3 };

uint8_t Data7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }
uint8_t Status(int kind, int channel) { return static_cast<uint8_t>(kind | (channel & 0x0F)); }

void AppendU32Big(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void AppendU16Big(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

std::vector<uint8_t> Meta(uint8_t type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = {0xFF, type};
  AppendVarLength(bytes, static_cast<uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

}  // namespace

void AppendVarLength(std::vector<uint8_t>& out, uint32_t value) {
  value &= 0x0FFFFFFF;  // the largest quantity the format has
  uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

void MidiTrack::Add(uint32_t tick, int rank, std::vector<uint8_t> bytes) {
  events_.push_back({tick, rank, std::move(bytes)});
  end_ = std::max(end_, tick);
}

void MidiTrack::Name(const std::string& name) { Add(0, kMeta, Meta(0x03, std::vector<uint8_t>(name.begin(), name.end()))); }

void MidiTrack::Tempo(uint32_t tick, uint32_t micros) {
  Add(tick, kMeta, Meta(0x51, {static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8), static_cast<uint8_t>(micros)}));
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
  Add(tick, kMeta, Meta(0x58, {Data7(numerator), Data7(denominatorPower), 24, 8}));
}

void MidiTrack::KeySignature(uint32_t tick, int sharps, bool minor) {
  Add(tick, kMeta, Meta(0x59, {static_cast<uint8_t>(static_cast<int8_t>(std::clamp(sharps, -7, 7))), minor ? uint8_t{1} : uint8_t{0}}));
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
  Add(tick, kSetting, {Status(0xC0, channel), Data7(program)});
}

void MidiTrack::Control(uint32_t tick, int channel, int controller, int value) {
  Add(tick, kSetting, {Status(0xB0, channel), Data7(controller), Data7(value)});
}

void MidiTrack::Note(uint32_t tick, uint32_t duration, int channel, int key, int velocity) {
  Add(tick, kNoteOn, {Status(0x90, channel), Data7(key), static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
  // An explicit note-off, so that a note ending where the next one starts
  // on the same key is ended before it.
  Add(tick + std::max<uint32_t>(duration, 1), kNoteOff, {Status(0x80, channel), Data7(key), 64});
}

void MidiTrack::End(uint32_t tick) { end_ = std::max(end_, tick); }

std::vector<uint8_t> MidiTrack::Chunk() const {
  std::vector<const Event*> order;
  order.reserve(events_.size());
  for (const Event& e : events_) order.push_back(&e);
  std::stable_sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
    return a->tick != b->tick ? a->tick < b->tick : a->rank < b->rank;
  });
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const Event* e : order) {
    AppendVarLength(body, e->tick - now);
    now = e->tick;
    body.insert(body.end(), e->bytes.begin(), e->bytes.end());
  }
  AppendVarLength(body, end_ - now);
  const std::vector<uint8_t> end = Meta(0x2F, {});
  body.insert(body.end(), end.begin(), end.end());

  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  AppendU32Big(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> EncodeMidiFile(uint16_t ticksPerQuarter, const std::vector<MidiTrack>& tracks) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
  AppendU32Big(out, 6);
  AppendU16Big(out, 1);  // format 1: simultaneous tracks, the first holds the tempo map
  AppendU16Big(out, static_cast<uint16_t>(tracks.size()));
  AppendU16Big(out, ticksPerQuarter);
  for (const MidiTrack& t : tracks) {
    const std::vector<uint8_t> chunk = t.Chunk();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace music
