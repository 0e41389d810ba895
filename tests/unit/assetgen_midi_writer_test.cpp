// The MIDI writer: variable-length quantities as the file format defines
// them, and a small track encoded byte for byte (a note ending where the
// same key starts again is ended first).
#include <gtest/gtest.h>

#include "assetgen/music/midi_writer.h"

TEST(AssetgenMidiWriter, VariableLengthQuantitiesFollowTheFormat) {
  const std::pair<uint32_t, std::vector<uint8_t>> cases[] = {
      {0x00000000, {0x00}},
      {0x0000007F, {0x7F}},
      {0x00000080, {0x81, 0x00}},
      {0x00002000, {0xC0, 0x00}},
      {0x00003FFF, {0xFF, 0x7F}},
      {0x00004000, {0x81, 0x80, 0x00}},
      {0x001FFFFF, {0xFF, 0xFF, 0x7F}},
      {0x00200000, {0x81, 0x80, 0x80, 0x00}},
      {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
  };
  for (const auto& [value, bytes] : cases) {
    std::vector<uint8_t> out;
    music::AppendVarLength(out, value);
    EXPECT_EQ(out, bytes) << std::hex << value;
  }
}

TEST(AssetgenMidiWriter, EncodesATrackInTimeOrderWithRepeatedKeysEndedFirst) {
  music::MidiTrack track;
  track.Note(480, 480, 2, 60, 100);  // added out of order on purpose
  track.Note(0, 480, 2, 60, 90);
  track.Program(0, 2, 46);
  track.End(1920);
  const std::vector<uint8_t> expected = {
      'M', 'T', 'r', 'k', 0, 0, 0, 26,
      0x00, 0xC2, 46,          // the program before the first note
      0x00, 0x92, 60, 90,
      0x83, 0x60, 0x82, 60, 64,  // 480 ticks later the first note ends...
      0x00, 0x92, 60, 100,       // ...before the same key starts again
      0x83, 0x60, 0x82, 60, 64,
      0x87, 0x40, 0xFF, 0x2F, 0x00,  // the end 960 ticks after the last event
  };
  EXPECT_EQ(track.Chunk(), expected);

  const std::vector<uint8_t> file = music::EncodeMidiFile(480, {track, track});
  const std::vector<uint8_t> header = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
  ASSERT_EQ(file.size(), header.size() + 2 * expected.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
}
