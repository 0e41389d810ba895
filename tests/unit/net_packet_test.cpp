// Online play's packets: every kind reads back as written, and what is cut
// short, runs long or holds a field out of its range is refused.
#include <gtest/gtest.h>

#include <vector>

#include "net/packet.h"
#include "platform/key_codes.h"
#include "support/sample_packet.h"

namespace {

bool Decodes(const std::vector<uint8_t>& bytes) {
  Packet p;
  return DecodePacket(bytes.data(), bytes.size(), &p);
}

}  // namespace

TEST(NetPacket, EveryKindReadsBackAndRefusesBeingCutOrLengthened) {
  for (int kind = static_cast<int>(PacketKind::kHello); kind <= static_cast<int>(PacketKind::kEnd); ++kind) {
    const std::vector<uint8_t> bytes = EncodePacket(SamplePacket(static_cast<PacketKind>(kind)));
    Packet back;
    ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), &back)) << kind;
    EXPECT_EQ(EncodePacket(back), bytes) << kind;
    if (back.kind == PacketKind::kFrames) {
      EXPECT_EQ(back.records, SamplePacket(PacketKind::kFrames).records);
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut)
      EXPECT_FALSE(Decodes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)))) << kind;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(Decodes(longer)) << kind;
  }
}

TEST(NetPacket, FieldsOutOfRangeAreRefused) {
  struct Case {
    const char* what;
    PacketKind kind;
    void (*spoil)(Packet&);
  };
  const Case cases[] = {
      {"machine 0", PacketKind::kWelcome, [](Packet& p) { p.machine = 0; }},
      {"display mode 4", PacketKind::kWelcome, [](Packet& p) { p.displayOption = 4; }},
      {"unknown refusal", PacketKind::kRefused, [](Packet& p) { p.reason = 9; }},
      {"six players", PacketKind::kLobby, [](Packet& p) { p.players.resize(6, p.players[0]); }},
      {"small letters", PacketKind::kName, [](Packet& p) { p.name = "ann"; }},
      {"name of 13", PacketKind::kName, [](Packet& p) { p.name = "ABCDEFGHIJKLM"; }},
      {"colour 5", PacketKind::kLobby, [](Packet& p) { p.players[1].colour = 5; }},
      {"a game of one", PacketKind::kStart, [](Packet& p) { p.players.resize(1); }},
      {"chunk past the end", PacketKind::kReplay, [](Packet& p) { p.offset = 6; }},
      {"no records", PacketKind::kFrames, [](Packet& p) { p.records.clear(); }},
      {"too many records", PacketKind::kFrames, [](Packet& p) { p.records.resize(kMostFramesPerPacket + 1); }},
      {"frame out of range", PacketKind::kCheck, [](Packet& p) { p.frame = kMostNetFrames; }},
      {"sixth player", PacketKind::kHandOver, [](Packet& p) { p.player = 5; }},
      {"unknown end", PacketKind::kEnd, [](Packet& p) { p.reason = 2; }},
  };
  for (const Case& c : cases) {
    Packet p = SamplePacket(c.kind);
    c.spoil(p);
    EXPECT_FALSE(Decodes(EncodePacket(p))) << c.what;
  }
  for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>{0}, std::vector<uint8_t>{99},
                                            std::vector<uint8_t>(kMaxPacketBytes + 1, 4)})
    EXPECT_FALSE(Decodes(bytes)) << bytes.size();
}

TEST(NetPacket, FramesGoOutInOrderInPacketsThatTravelWhole) {
  FrameRecord wild;  // every field changes from one record to the next, at its widest
  wild.cursorX = -32000, wild.cursorY = 32000, wild.leftButton = wild.rightButton = wild.tabHeld = 1;
  wild.lastKey = platform::kHighestKeyCode, wild.weaponKeys = 0x39393939;  // four 9 keys
  struct Case {
    size_t records;
    bool alternating;
    size_t packets;
  } cases[] = {{0, false, 0}, {1, true, 1}, {160, false, 1}, {161, false, 2}, {400, true, 5}};  // 3 by count alone: the size splits them further
  for (const Case& c : cases) {
    std::vector<FrameRecord> records(c.records);
    for (size_t i = 0; i < records.size(); ++i)
      if (c.alternating && i % 2 == 0) records[i] = wild;
    const auto packets = EncodeFrames(1000, records);
    EXPECT_EQ(packets.size(), c.packets) << c.records;
    std::vector<FrameRecord> back;
    for (const auto& bytes : packets) {
      EXPECT_LE(bytes.size(), kMostWholeBytes) << c.records;
      Packet p;
      ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), &p));
      EXPECT_EQ(p.frame, 1000 + back.size());
      back.insert(back.end(), p.records.begin(), p.records.end());
    }
    EXPECT_EQ(back, records) << c.records;
  }
}
