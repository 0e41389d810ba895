#include "net/packet.h"

#include <algorithm>

#include "state/record_codec.h"

namespace {

constexpr size_t kVersionLength = 32;
constexpr size_t kNameLength = 12;
constexpr uint8_t kMostMachines = 64;

bool ValidName(const std::string& name) {
  for (char c : name)
    if (!NameCharacter(c)) return false;
  return true;
}

void WritePlayers(ByteWriter& out, const std::vector<LobbyPlayer>& players) {
  out.Byte(static_cast<uint8_t>(players.size()));
  for (const LobbyPlayer& p : players) {
    out.Text(p.name);
    out.Byte(p.colour);
    out.Byte(p.control);
    out.Byte(p.strength);
    out.Byte(p.machine);
  }
}

bool ReadPlayers(ByteReader& in, std::vector<LobbyPlayer>* players) {
  const uint8_t n = in.Byte();
  if (n > kMostNetPlayers) return false;
  for (int i = 0; i < n; ++i) {
    LobbyPlayer p;
    p.name = in.Text(kNameLength);
    p.colour = in.Byte();
    p.control = in.Byte();
    p.strength = in.Byte();
    p.machine = in.Byte();
    if (!in.ok || !ValidName(p.name) || p.colour > 4 || p.control > 1 || p.strength > 2 || p.machine > kMostMachines)
      return false;
    players->push_back(p);
  }
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePacket(const Packet& p) {
  ByteWriter out;
  out.Byte(static_cast<uint8_t>(p.kind));
  switch (p.kind) {
    case PacketKind::kHello:
      out.Fixed(p.protocol, 2);
      out.Text(p.version);
      out.Byte(p.spectator ? 1 : 0);
      out.Text(p.name);
      break;
    case PacketKind::kWelcome:
      out.Byte(p.machine);
      out.Byte(p.displayOption);
      out.Byte(p.classic ? 1 : 0);
      break;
    case PacketKind::kRefused:
      out.Byte(p.reason);
      out.Text(p.version);
      break;
    case PacketKind::kLobby:
      out.Signed(p.rounds);
      WritePlayers(out, p.players);
      break;
    case PacketKind::kName:
      out.Text(p.name);
      break;
    case PacketKind::kStart:
      out.Var(p.frame);
      out.Fixed(p.total, 4);
      WritePlayers(out, p.players);
      break;
    case PacketKind::kReplay:
      out.Fixed(p.total, 4);
      out.Fixed(p.offset, 4);
      out.Var(p.bytes.size());
      out.bytes.insert(out.bytes.end(), p.bytes.begin(), p.bytes.end());
      break;
    case PacketKind::kFrames: {
      out.Var(p.frame);
      out.Var(p.records.size());
      FrameRecord before;
      for (const FrameRecord& r : p.records) {
        const uint8_t mask = ByteWriter::ChangeMask(before, r);
        out.Byte(mask);
        out.ChangedFields(mask, before, r);
        before = r;
      }
      break;
    }
    case PacketKind::kHandOver:
      out.Var(p.frame);
      out.Byte(p.player);
      break;
    case PacketKind::kCheck:
      out.Var(p.frame);
      out.Var(p.count);
      out.Fixed(p.sum, 4);
      break;
    case PacketKind::kOutOfSync:
      out.Var(p.frame);
      break;
    case PacketKind::kEnd:
      out.Byte(p.reason);
      break;
  }
  return out.bytes;
}

bool DecodePacket(const uint8_t* data, size_t size, Packet* out) {
  *out = Packet();
  if (size == 0 || size > kMaxPacketBytes) return false;
  ByteReader in(data, size);
  const uint8_t kind = in.Byte();
  out->kind = static_cast<PacketKind>(kind);
  bool fine = true;
  switch (out->kind) {
    case PacketKind::kHello: {
      out->protocol = static_cast<uint16_t>(in.Fixed(2));
      out->version = in.Text(kVersionLength);
      const uint8_t spectator = in.Byte();
      out->spectator = spectator == 1;
      out->name = in.Text(kNameLength);
      fine = spectator <= 1 && ValidName(out->name);
      break;
    }
    case PacketKind::kWelcome: {
      out->machine = in.Byte();
      out->displayOption = in.Byte();
      const uint8_t classic = in.Byte();
      out->classic = classic == 1;
      fine = out->machine >= 1 && out->machine <= kMostMachines && out->displayOption <= 3 && classic <= 1;
      break;
    }
    case PacketKind::kRefused:
      out->reason = in.Byte();
      out->version = in.Text(kVersionLength);
      fine = out->reason >= 1 && out->reason <= static_cast<uint8_t>(RefusalReason::kStarted);
      break;
    case PacketKind::kLobby: {
      const int64_t rounds = in.Signed();
      out->rounds = static_cast<int32_t>(rounds);
      fine = rounds >= 0 && rounds <= 1000 && ReadPlayers(in, &out->players);
      break;
    }
    case PacketKind::kName:
      out->name = in.Text(kNameLength);
      fine = ValidName(out->name);
      break;
    case PacketKind::kStart:
      out->frame = in.Var();
      out->total = static_cast<uint32_t>(in.Fixed(4));
      fine = out->frame < kMostNetFrames && out->total > 0 && out->total <= kMostReplayBytes &&
             ReadPlayers(in, &out->players) && out->players.size() >= 2;
      break;
    case PacketKind::kReplay: {
      out->total = static_cast<uint32_t>(in.Fixed(4));
      out->offset = static_cast<uint32_t>(in.Fixed(4));
      const uint64_t n = in.Var();
      fine = in.ok && n > 0 && n <= kReplayChunkBytes && out->total <= kMostReplayBytes && out->offset < out->total &&
             n <= out->total - out->offset;
      if (fine) out->bytes = in.Bytes(static_cast<size_t>(n));
      break;
    }
    case PacketKind::kFrames: {
      out->frame = in.Var();
      const uint64_t n = in.Var();
      fine = in.ok && n > 0 && n <= kMostFramesPerPacket && out->frame < kMostNetFrames;
      FrameRecord before;
      for (uint64_t i = 0; fine && i < n; ++i) {
        const uint8_t mask = in.Byte();
        FrameRecord r;
        fine = mask <= 0x1F && in.Change(mask, before, &r);
        out->records.push_back(r);
        before = r;
      }
      break;
    }
    case PacketKind::kHandOver:
      out->frame = in.Var();
      out->player = in.Byte();
      fine = out->frame < kMostNetFrames && out->player < kMostNetPlayers;
      break;
    case PacketKind::kCheck: {
      out->frame = in.Var();
      const uint64_t count = in.Var();
      out->count = static_cast<uint32_t>(count);
      out->sum = static_cast<uint32_t>(in.Fixed(4));
      fine = out->frame < kMostNetFrames && count <= UINT32_MAX;
      break;
    }
    case PacketKind::kOutOfSync:
      out->frame = in.Var();
      fine = out->frame < kMostNetFrames;
      break;
    case PacketKind::kEnd:
      out->reason = in.Byte();
      fine = out->reason == static_cast<uint8_t>(EndReason::kHostLeft);
      break;
    default:
      return false;
  }
  return fine && in.ok && in.Left() == 0;
}

std::vector<std::vector<uint8_t>> EncodeFrames(uint64_t first, const std::vector<FrameRecord>& records) {
  std::vector<std::vector<uint8_t>> packets;
  Packet p;
  p.kind = PacketKind::kFrames;
  for (size_t at = 0, n = 0; at < records.size(); at += n) {
    p.frame = first + at;
    for (n = std::min(kMostFramesPerPacket, records.size() - at);; n = (n + 1) / 2) {
      p.records.assign(records.begin() + static_cast<long>(at), records.begin() + static_cast<long>(at + n));
      packets.push_back(EncodePacket(p));
      if (packets.back().size() <= kMostWholeBytes || n == 1) break;
      packets.pop_back();
    }
  }
  return packets;
}
