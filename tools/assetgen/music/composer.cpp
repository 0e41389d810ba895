#include "assetgen/music/composer.h"

#include <algorithm>

#include "assetgen/music/arrangement.h"
#include "assetgen/music/midi_writer.h"

namespace music {

namespace {

constexpr int kDrumChannel = 9;

// Ticks of a sixteenth position; with swing the off-beat eighth of each
// beat comes two thirds of the way through it instead of half way.
uint32_t Tick(const Tune& tune, int sixteenth) {
  const int beat = sixteenth / 4, within = sixteenth % 4;
  static const int kStraight[4] = {0, 120, 240, 360};
  static const int kSwung[4] = {0, 160, 320, 400};
  return static_cast<uint32_t>(beat * kTicksPerQuarter + (tune.swing ? kSwung : kStraight)[within]);
}

// A note that would still sound when the same key is struck again ends
// there; nothing sounds past the loop point.
void TrimOverlaps(std::vector<PartNote>& notes, int total) {
  std::stable_sort(notes.begin(), notes.end(), [](const PartNote& a, const PartNote& b) { return a.at < b.at; });
  for (size_t i = 0; i < notes.size(); ++i) {
    PartNote& n = notes[i];
    n.length = std::min(n.length, total - n.at);
    for (size_t j = i + 1; j < notes.size() && notes[j].at < n.at + n.length; ++j)
      if (notes[j].key == n.key && notes[j].at > n.at) n.length = notes[j].at - n.at;
  }
}

MidiTrack PartTrack(const Tune& tune, const char* name, const Voice& voice, int channel, std::vector<PartNote> notes,
                    int total) {
  MidiTrack track;
  track.Name(name);
  if (channel != kDrumChannel) track.Program(0, channel, voice.program);
  track.Control(0, channel, 7, voice.volume);
  track.Control(0, channel, 11, tune.expression);
  track.Control(0, channel, 10, voice.pan);
  track.Control(0, channel, 91, voice.reverb);
  track.Control(0, channel, 93, 0);  // no chorus
  TrimOverlaps(notes, total);
  const uint32_t end = Tick(tune, total);
  for (const PartNote& n : notes) {
    if (n.length <= 0) continue;
    const uint32_t on = Tick(tune, n.at) + static_cast<uint32_t>(n.nudge);
    const uint32_t span = Tick(tune, n.at + n.length) - Tick(tune, n.at);
    const uint32_t sounding = std::max<uint32_t>(span * static_cast<uint32_t>(voice.gate) / 100, 30);
    const uint32_t room = end > on ? end - on : 1;
    track.Note(on, std::min(sounding, room), channel, n.key, n.velocity);
  }
  track.End(end);
  return track;
}

}  // namespace

double TuneSeconds(const Tune& tune) {
  const Layout layout = LayOut(tune);
  const double quarters = static_cast<double>(layout.TotalSixteenths()) / 4.0;
  const uint32_t micros = 60000000u / static_cast<uint32_t>(tune.bpm);
  return quarters * micros / 1e6;
}

std::vector<uint8_t> ComposeTune(const Tune& tune) {
  const Layout layout = LayOut(tune);
  Random random(tune.seed);
  const int total = layout.TotalSixteenths();

  std::vector<PartNote> lead = ComposeLead(tune, layout, random);
  std::vector<PartNote> second = ComposeSecond(tune, layout, lead);
  std::vector<PartNote> chords = ComposeChords(tune.chords, tune.chordStyle, layout);
  std::vector<PartNote> pad = ComposeChords(tune.pad, ChordStyle::kPad, layout);
  std::vector<PartNote> bass = ComposeBass(tune, layout);
  std::vector<PartNote> drums = ComposeDrums(tune, layout, random);

  MidiTrack conductor;
  conductor.Name(tune.title);
  conductor.Tempo(0, 60000000u / static_cast<uint32_t>(tune.bpm));
  conductor.TimeSignature(0, tune.beatsPerBar, 2);
  conductor.KeySignature(0, KeySignatureSharps(tune.key), KeyIsMinor(tune.key));
  conductor.End(Tick(tune, total));

  std::vector<MidiTrack> tracks = {conductor};
  struct Part {
    const char* name;
    const Voice* voice;
    int channel;
    std::vector<PartNote>* notes;
  };
  Voice drumVoice;
  drumVoice.volume = tune.drumVolume;
  drumVoice.reverb = 30;
  drumVoice.gate = 100;
  const Part parts[] = {{"melody", &tune.lead, 0, &lead},       {"second voice", &tune.second, 1, &second},
                        {"chords", &tune.chords, 2, &chords},   {"pad", &tune.pad, 3, &pad},
                        {"bass", &tune.bass, 4, &bass},         {"drums", &drumVoice, kDrumChannel, &drums}};
  for (const Part& p : parts)
    if (!p.notes->empty()) tracks.push_back(PartTrack(tune, p.name, *p.voice, p.channel, std::move(*p.notes), total));
  return EncodeMidiFile(kTicksPerQuarter, tracks);
}

}  // namespace music
