// Standard MIDI Files (format 1): a track is a list of timed events (notes,
// program and controller changes, tempo, meter, key, names); the writer
// orders them and encodes the header and track chunks. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

class MidiTrack {
 public:
  void Name(const std::string& name);
  // Microseconds per quarter note from tick on.
  void Tempo(uint32_t tick, uint32_t microsPerQuarter);
  // numerator / 2^denominatorPower, a metronome click per quarter note.
  void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
  // sharps > 0, flats < 0.
  void KeySignature(uint32_t tick, int sharps, bool minor);
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  // A note from tick for duration ticks (at least one).
  void Note(uint32_t tick, uint32_t duration, int channel, int key, int velocity);
  // The track's end; every event must lie before or at it.
  void End(uint32_t tick);

  // The MTrk chunk. Events are ordered by time; at one time meta events
  // come first, then note-offs, then program and controller changes, then
  // note-ons, each kind in the order it was added.
  std::vector<uint8_t> Chunk() const;

 private:
  struct Event {
    uint32_t tick;
    int rank;  // the order of kinds at one time
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int rank, std::vector<uint8_t> bytes);

  std::vector<Event> events_;
  uint32_t end_ = 0;
};

// A format 1 file: the header chunk (ticksPerQuarter divisions) and the tracks.
std::vector<uint8_t> EncodeMidiFile(uint16_t ticksPerQuarter, const std::vector<MidiTrack>& tracks);

// Appends a variable-length quantity (7 bits a byte, most significant first).
void AppendVarLength(std::vector<uint8_t>& out, uint32_t value);

}  // namespace music
