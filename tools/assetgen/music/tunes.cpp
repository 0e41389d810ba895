#include "assetgen/music/tunes.h"

#include <stdexcept>

#include "assetgen/music/composer.h"
#include "assetgen/sound/pcm_sound.h"

namespace music {

namespace {

// General MIDI programs (numbered from 0).
enum Program {
  kPiano = 0, kElectricPiano = 4, kCelesta = 8, kVibraphone = 11, kNylonGuitar = 24,
  kSteelGuitar = 25, kAcousticBass = 32, kFingeredBass = 33, kFretlessBass = 35, kCello = 42, kContrabass = 43,
  kHarp = 46, kStrings = 48, kSlowStrings = 49, kChoir = 52, kTrumpet = 56, kTuba = 58, kFrenchHorn = 60,
  kAltoSax = 65, kOboe = 68, kClarinet = 71, kFlute = 73, kPanFlute = 75, kWarmPad = 89, kSitar = 104, kFiddle = 110,
};

enum PitchClassName { kC = 0, kD = 2, kE = 4, kF = 5, kG = 7, kA = 9, kBFlat = 10, kB = 11 };

Tune Title() {
  Tune t;
  t.file = "begin.mid";
  t.title = "Bulwark";
  t.key = {kD, Mode::kMajor};
  t.bpm = 112;
  t.beatsPerBar = 4;
  t.intro = {"I", "V7"};
  t.a = {"I", "vi", "IV", "V", "I", "vi", "ii V", "I"};
  t.b = {"IV", "V", "iii", "vi", "ii", "V", "IV", "V7"};
  t.form = "IAABA";
  t.rhythms = {"4 4 4 4", "6 2 4 4", "3 1 4 8", "4 2 2 8", "8 4 4"};
  t.halfCadence = "8 4 -4";
  t.fullCadence = "12 -4";
  t.lead = {.program = kTrumpet, .low = 57, .high = 81, .volume = 100, .pan = 64, .reverb = 50, .velocity = 96, .gate = 85};
  t.second = {.program = kFrenchHorn, .low = 50, .high = 76, .volume = 90, .pan = 44, .reverb = 55, .velocity = 80, .gate = 90};
  t.chords = {.program = kStrings, .low = 50, .high = 69, .volume = 85, .pan = 84, .reverb = 60, .velocity = 62, .gate = 100};
  t.chordStyle = ChordStyle::kPad;
  t.bass = {.program = kTuba, .low = 33, .high = 52, .volume = 100, .pan = 64, .reverb = 30, .velocity = 90, .gate = 70};
  t.bassStyle = BassStyle::kMarch;
  t.drums = DrumStyle::kMarch;
  t.drumVolume = 85;
  t.expression = 76;
  t.seed = 0xB17A11;
  return t;
}

Tune Earth() {
  Tune t;
  t.file = "tex1.mid";
  t.title = "Earth";
  t.key = {kG, Mode::kMajor};
  t.bpm = 96;
  t.beatsPerBar = 3;
  t.intro = {"I", "IV", "I", "V"};
  t.a = {"I", "IV", "I", "V", "I", "IV", "V", "I"};
  t.b = {"vi", "iii", "IV", "I", "vi", "ii", "IV", "V"};
  t.form = "IAABAB";
  t.rhythms = {"4 4 4", "8 4", "6 2 4", "4 2 2 4", "2 2 4 4"};
  t.halfCadence = "8 -4";
  t.fullCadence = "12";
  t.lead = {.program = kFlute, .low = 62, .high = 88, .volume = 100, .pan = 64, .reverb = 55, .velocity = 92, .gate = 92};
  t.second = {.program = kClarinet, .low = 55, .high = 79, .volume = 85, .pan = 40, .reverb = 55, .velocity = 76, .gate = 92};
  t.chords = {.program = kNylonGuitar, .low = 48, .high = 67, .volume = 90, .pan = 88, .reverb = 45, .velocity = 70, .gate = 100};
  t.chordStyle = ChordStyle::kArpeggio;
  t.bass = {.program = kAcousticBass, .low = 31, .high = 50, .volume = 100, .pan = 64, .reverb = 25, .velocity = 86, .gate = 85};
  t.bassStyle = BassStyle::kFolk;
  t.drums = DrumStyle::kTambourine;
  t.drumVolume = 70;
  t.expression = 102;
  t.seed = 0xEA27;
  return t;
}

Tune RedRock() {
  Tune t;
  t.file = "tex2.mid";
  t.title = "Red Rock";
  t.key = {kA, Mode::kMinor};
  t.bpm = 100;
  t.beatsPerBar = 4;
  t.intro = {"i", "V"};
  t.a = {"i", "VII", "VI", "V", "i", "VII", "VI V", "i"};
  t.b = {"iv", "i", "VI", "V", "iv", "i", "VI", "V7"};
  t.form = "IAABA";
  t.rhythms = {"6 2 8", "4 2 2 8", "2 2 4 4 4", "6 2 4 4", "8 4 4"};
  t.halfCadence = "12 -4";
  t.fullCadence = "12 -4";
  t.lead = {.program = kFiddle, .low = 60, .high = 84, .volume = 95, .pan = 64, .reverb = 55, .velocity = 92, .gate = 90};
  t.chords = {.program = kSteelGuitar, .low = 52, .high = 69, .volume = 85, .pan = 84, .reverb = 45, .velocity = 72, .gate = 100};
  t.chordStyle = ChordStyle::kStrum;
  t.bass = {.program = kFingeredBass, .low = 33, .high = 52, .volume = 100, .pan = 64, .reverb = 20, .velocity = 88, .gate = 80};
  t.bassStyle = BassStyle::kDriving;
  t.drums = DrumStyle::kGallop;
  t.drumVolume = 80;
  t.expression = 104;
  t.seed = 0x2ED2;
  return t;
}

Tune Sand() {
  Tune t;
  t.file = "tex3.mid";
  t.title = "Sand";
  t.key = {kE, Mode::kPhrygianDominant};
  t.bpm = 88;
  t.beatsPerBar = 4;
  t.intro = {"I", "II"};
  t.a = {"I", "II", "I", "vii", "iv", "II", "I", "I"};
  t.b = {"iv", "vii", "II", "I", "iv", "II", "vii", "II"};
  t.form = "IAABA";
  t.rhythms = {"4 2 2 4 4", "6 2 4 4", "2 2 2 2 8", "4 4 2 2 4", "8 2 2 4"};
  t.halfCadence = "12 -4";
  t.fullCadence = "12 -4";
  t.lead = {.program = kOboe, .low = 59, .high = 84, .volume = 100, .pan = 64, .reverb = 60, .velocity = 92, .gate = 92};
  t.chords = {.program = kSitar, .low = 52, .high = 71, .volume = 80, .pan = 86, .reverb = 50, .velocity = 64, .gate = 100};
  t.chordStyle = ChordStyle::kArpeggio;
  t.pad = {.program = kSlowStrings, .low = 40, .high = 64, .volume = 70, .pan = 40, .reverb = 70, .velocity = 54, .gate = 100};
  t.bass = {.program = kFretlessBass, .low = 28, .high = 47, .volume = 100, .pan = 64, .reverb = 25, .velocity = 86, .gate = 85};
  t.bassStyle = BassStyle::kFolk;
  t.drums = DrumStyle::kHandDrums;
  t.drumVolume = 85;
  t.expression = 100;
  t.seed = 0x5A7D;
  return t;
}

Tune Moss() {
  Tune t;
  t.file = "tex4.mid";
  t.title = "Moss";
  t.key = {kB, Mode::kDorian};
  t.bpm = 72;
  t.beatsPerBar = 4;
  t.intro = {"i", "IV"};
  t.a = {"i", "IV", "III", "VII", "i", "IV", "VII", "i"};
  t.b = {"III", "VII", "IV", "i", "III", "IV", "v", "VII"};
  t.form = "IABA";
  t.rhythms = {"8 8", "8 4 4", "4 4 8", "12 4", "6 2 8"};
  t.halfCadence = "12 -4";
  t.fullCadence = "16";
  t.lead = {.program = kPanFlute, .low = 64, .high = 88, .volume = 100, .pan = 64, .reverb = 70, .velocity = 90, .gate = 95};
  t.chords = {.program = kHarp, .low = 47, .high = 71, .volume = 85, .pan = 84, .reverb = 65, .velocity = 64, .gate = 100};
  t.chordStyle = ChordStyle::kArpeggio;
  t.pad = {.program = kChoir, .low = 52, .high = 69, .volume = 70, .pan = 44, .reverb = 75, .velocity = 50, .gate = 100};
  t.bass = {.program = kCello, .low = 36, .high = 55, .volume = 90, .pan = 64, .reverb = 50, .velocity = 76, .gate = 95};
  t.bassStyle = BassStyle::kSustained;
  t.drums = DrumStyle::kNone;
  t.expression = 102;
  t.seed = 0x3055;
  return t;
}

Tune Ice() {
  Tune t;
  t.file = "tex5.mid";
  t.title = "Ice";
  t.key = {kF, Mode::kMinor};
  t.bpm = 84;
  t.beatsPerBar = 3;
  t.intro = {"i", "VI", "iv", "V"};
  t.a = {"i", "VI", "III", "VII", "i", "iv", "V", "i"};
  t.b = {"VI", "VII", "III", "VI", "iv", "v", "VI", "V"};
  t.form = "IAABA";
  t.rhythms = {"4 4 4", "8 4", "4 8", "6 2 4", "2 2 4 4"};
  t.halfCadence = "8 -4";
  t.fullCadence = "12";
  t.lead = {.program = kCelesta, .low = 67, .high = 91, .volume = 112, .pan = 64, .reverb = 70, .velocity = 96, .gate = 95};
  t.chords = {.program = kPiano, .low = 48, .high = 67, .volume = 90, .pan = 80, .reverb = 60, .velocity = 58, .gate = 100};
  t.chordStyle = ChordStyle::kArpeggio;
  t.pad = {.program = kWarmPad, .low = 53, .high = 72, .volume = 84, .pan = 48, .reverb = 70, .velocity = 52, .gate = 100};
  t.bass = {.program = kContrabass, .low = 29, .high = 48, .volume = 101, .pan = 64, .reverb = 50, .velocity = 74, .gate = 95};
  t.bassStyle = BassStyle::kSustained;
  t.drums = DrumStyle::kTriangle;
  t.drumVolume = 67;
  t.expression = 127;
  t.seed = 0x1CE5;
  return t;
}

Tune Shop() {
  Tune t;
  t.file = "mag.mid";
  t.title = "Shop";
  t.key = {kBFlat, Mode::kMajor};
  t.bpm = 132;
  t.beatsPerBar = 4;
  t.swing = true;
  t.intro = {"ii7", "V7"};
  t.a = {"Imaj7", "vi7", "ii7", "V7", "iii7", "vi7", "ii7 V7", "Imaj7"};
  t.b = {"IVmaj7", "iii7", "ii7", "V7", "IVmaj7", "iii7 vi7", "ii7", "V7"};
  t.form = "IAABAA";
  t.rhythms = {"2 2 2 2 4 4", "4 2 2 8", "-2 2 2 2 4 4", "6 2 4 4", "4 4 2 2 4"};
  t.halfCadence = "12 -4";
  t.fullCadence = "12 -4";
  t.lead = {.program = kVibraphone, .low = 60, .high = 84, .volume = 100, .pan = 64, .reverb = 45, .velocity = 94, .gate = 90};
  t.second = {.program = kAltoSax, .low = 53, .high = 78, .volume = 80, .pan = 44, .reverb = 45, .velocity = 74, .gate = 88};
  t.chords = {.program = kElectricPiano, .low = 52, .high = 70, .volume = 85, .pan = 84, .reverb = 40, .velocity = 70, .gate = 100};
  t.chordStyle = ChordStyle::kStabs;
  t.bass = {.program = kAcousticBass, .low = 31, .high = 50, .volume = 100, .pan = 64, .reverb = 20, .velocity = 88, .gate = 90};
  t.bassStyle = BassStyle::kWalking;
  t.drums = DrumStyle::kSwing;
  t.drumVolume = 80;
  t.expression = 104;
  t.seed = 0x5409;
  return t;
}

}  // namespace

const std::vector<Tune>& GameTunes() {
  static const std::vector<Tune> tunes = {Title(), Earth(), RedRock(), Sand(), Moss(), Ice(), Shop()};
  return tunes;
}

bool WriteTunes(const std::string& dir, std::string* error) {
  for (const Tune& tune : GameTunes()) {
    std::vector<uint8_t> bytes;
    try {
      bytes = ComposeTune(tune);
    } catch (const std::invalid_argument& e) {
      *error = std::string(tune.file) + ": " + e.what();
      return false;
    }
    if (!synth::WriteFileBytes(dir + "/" + tune.file, bytes, error)) return false;
  }
  return true;
}

}  // namespace music
