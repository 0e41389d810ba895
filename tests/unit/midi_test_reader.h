// A reader of Standard MIDI Files written from the format's description
// alone, for the tests of the generated tunes: the header, each track's
// events (running status included), notes paired with their ends, programs
// by channel, tempo and meter, and the time the file lasts. Any fault is
// recorded, not thrown. Header-only; any thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace midi_test {

struct Note {
  uint32_t on = 0, off = 0;  // ticks
  int channel = 0, key = 0, velocity = 0;
};

struct Song {
  int format = -1, declaredTracks = 0, division = 0, tracksRead = 0;
  std::vector<std::string> faults;                    // empty when the file reads cleanly
  std::vector<std::pair<uint32_t, uint32_t>> tempos;  // (tick, microseconds per quarter)
  std::vector<std::pair<int, int>> meters;            // (numerator, denominator)
  std::map<int, std::vector<int>> programs;           // channel -> programs set
  std::vector<Note> notes;
  uint32_t endTick = 0;  // the latest track end

  // Seconds from the start to endTick under the tempo map (120 bpm before the first tempo).
  double Seconds() const {
    double seconds = 0;
    uint32_t at = 0, micros = 500000;
    for (const auto& [tick, value] : tempos) {
      if (tick > endTick) break;
      seconds += static_cast<double>(tick - at) * micros / 1e6 / division;
      at = tick;
      micros = value;
    }
    return seconds + static_cast<double>(endTick - at) * micros / 1e6 / division;
  }
};

inline Song ReadSong(const std::vector<uint8_t>& b) {
  Song song;
  auto fault = [&song](const char* f) { return song.faults.push_back(f), song; };
  auto u32 = [&b](size_t at) { return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3]; };
  auto u16 = [&b](size_t at) { return b[at] << 8 | b[at + 1]; };
  auto tag = [&b](size_t at) { return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4); };
  if (b.size() < 14 || tag(0) != "MThd" || u32(4) != 6) return fault("no MThd header of 6 bytes");
  song.format = u16(8);
  song.declaredTracks = u16(10);
  song.division = u16(12);
  if (song.division == 0 || song.division & 0x8000) fault("division is not ticks per quarter note");
  size_t p = 14;
  for (; p + 8 <= b.size(); ++song.tracksRead) {
    if (tag(p) != "MTrk") return fault("chunk that is not MTrk");
    const size_t end = p + 8 + u32(p + 4);
    if (end > b.size()) return fault("track runs past the file");
    size_t q = p + 8;
    uint32_t tick = 0;
    int status = 0;
    bool ended = false;
    std::map<int, std::vector<size_t>> open;  // channel * 128 + key -> indices of sounding notes
    auto vlq = [&](uint32_t* out) {
      *out = 0;
      for (int n = 0; n < 4 && q < end; ++n) {
        const uint8_t c = b[q++];
        *out = *out << 7 | (c & 0x7F);
        if (!(c & 0x80)) return true;
      }
      return false;
    };
    while (q < end && !ended) {
      uint32_t delta = 0, len = 0;
      if (!vlq(&delta)) return fault("bad delta time");
      tick += delta;
      if (b[q] & 0x80) status = b[q++];
      else if (status == 0) return fault("running status with no status");
      if (status == 0xFF) {  // a meta event; it cancels running status
        status = 0;
        const int type = q < end ? b[q++] : 0;
        if (!vlq(&len) || q + len > end) return fault("bad meta length");
        ended = type == 0x2F;
        if (type == 0x51 && len == 3) song.tempos.push_back({tick, uint32_t{b[q]} << 16 | b[q + 1] << 8 | b[q + 2]});
        if (type == 0x58 && len == 4) song.meters.push_back({b[q], 1 << b[q + 1]});
        q += len;
        continue;
      }
      const int kind = status & 0xF0, channel = status & 0x0F;
      const size_t size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      if (status >= 0xF0 || q + size > end) return fault("system event or event cut short");
      const int d1 = b[q], d2 = size == 2 ? b[q + 1] : 0, slot = channel * 128 + d1;
      q += size;
      if (d1 > 127 || d2 > 127) fault("data byte above 127");
      if (kind == 0x90 && d2 > 0) {
        open[slot].push_back(song.notes.size());
        song.notes.push_back({tick, tick, channel, d1, d2});
      } else if (kind == 0x80 || kind == 0x90) {
        if (open[slot].empty()) fault("note-off without a note");
        else song.notes[open[slot].front()].off = tick, open[slot].erase(open[slot].begin());
      } else if (kind == 0xC0) {
        song.programs[channel].push_back(d1);
      }
    }
    if (!ended || q != end) fault("track without its end, or bytes after it");
    for (const auto& [slot, left] : open)
      if (!left.empty()) fault("note never ended");
    song.endTick = std::max(song.endTick, tick);
    p = end;
  }
  if (p != b.size()) fault("bytes after the last track");
  if (song.tracksRead != song.declaredTracks) fault("track count differs from the header");
  return song;
}

}  // namespace midi_test
