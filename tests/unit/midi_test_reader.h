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
  int format = -1, declaredTracks = 0, division = 0;
  int tracksRead = 0;
  std::vector<std::string> faults;  // empty when the file reads cleanly
  std::vector<std::pair<uint32_t, uint32_t>> tempos;  // (tick, microseconds per quarter)
  std::vector<std::pair<int, int>> meters;            // (numerator, denominator)
  std::vector<std::pair<int, int>> keys;              // (sharps, minor)
  std::map<int, std::vector<int>> programs;           // channel -> programs set
  std::vector<Note> notes;
  uint32_t endTick = 0;  // the latest track end

  // Seconds from the start to endTick under the tempo map (120 bpm before
  // the first tempo).
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
  size_t p = 0;
  auto fault = [&song](const std::string& f) { song.faults.push_back(f); };
  auto u32 = [&b](size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16 | static_cast<uint32_t>(b[at + 2]) << 8 | b[at + 3];
  };
  auto u16 = [&b](size_t at) { return b[at] << 8 | b[at + 1]; };
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || u32(4) != 6) {
    fault("no MThd header of 6 bytes");
    return song;
  }
  song.format = u16(8);
  song.declaredTracks = u16(10);
  song.division = u16(12);
  if (song.division == 0 || song.division & 0x8000) fault("division is not ticks per quarter note");
  p = 14;
  while (p + 8 <= b.size()) {
    if (std::string(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(p) + 4) != "MTrk") {
      fault("chunk that is not MTrk");
      return song;
    }
    const size_t end = p + 8 + u32(p + 4);
    if (end > b.size()) {
      fault("track runs past the file");
      return song;
    }
    size_t q = p + 8;
    uint32_t tick = 0;
    int status = 0;
    bool ended = false;
    std::map<int, std::vector<size_t>> open;  // channel * 128 + key -> indices of sounding notes
    auto vlq = [&](uint32_t* out) {
      uint32_t v = 0;
      for (int n = 0; n < 4; ++n) {
        if (q >= end) return false;
        const uint8_t c = b[q++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) {
          *out = v;
          return true;
        }
      }
      return false;
    };
    while (q < end && !ended) {
      uint32_t delta = 0;
      if (!vlq(&delta)) {
        fault("bad delta time");
        break;
      }
      tick += delta;
      if (b[q] & 0x80) status = b[q++];
      else if (status == 0) {
        fault("running status with no status");
        break;
      }
      if (status == 0xFF) {
        status = 0;  // meta events cancel running status
        if (q >= end) break;
        const int type = b[q++];
        uint32_t len = 0;
        if (!vlq(&len) || q + len > end) {
          fault("bad meta length");
          break;
        }
        if (type == 0x2F) ended = true;
        if (type == 0x51 && len == 3) song.tempos.push_back({tick, static_cast<uint32_t>(b[q] << 16 | b[q + 1] << 8 | b[q + 2])});
        if (type == 0x58 && len == 4) song.meters.push_back({b[q], 1 << b[q + 1]});
        if (type == 0x59 && len == 2) song.keys.push_back({static_cast<int8_t>(b[q]), b[q + 1]});
        q += len;
      } else if (status == 0xF0 || status == 0xF7) {
        uint32_t len = 0;
        if (!vlq(&len) || q + len > end) break;
        q += len;
      } else {
        const int kind = status & 0xF0, channel = status & 0x0F;
        const size_t size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (q + size > end) {
          fault("event cut short");
          break;
        }
        const int d1 = b[q], d2 = size == 2 ? b[q + 1] : 0;
        q += size;
        if (d1 > 127 || d2 > 127) fault("data byte above 127");
        const int slot = channel * 128 + d1;
        if (kind == 0x90 && d2 > 0) {
          open[slot].push_back(song.notes.size());
          song.notes.push_back({tick, tick, channel, d1, d2});
        } else if (kind == 0x80 || kind == 0x90) {
          if (open[slot].empty()) {
            fault("note-off without a note");
          } else {
            song.notes[open[slot].front()].off = tick;
            open[slot].erase(open[slot].begin());
          }
        } else if (kind == 0xC0) {
          song.programs[channel].push_back(d1);
        }
      }
    }
    if (!ended) fault("track without its end");
    if (q != end) fault("bytes after a track's end");
    for (const auto& [slot, left] : open)
      if (!left.empty()) fault("note never ended");
    song.endTick = std::max(song.endTick, tick);
    ++song.tracksRead;
    p = end;
  }
  if (p != b.size()) fault("bytes after the last track");
  if (song.tracksRead != song.declaredTracks) fault("track count differs from the header");
  return song;
}

}  // namespace midi_test
