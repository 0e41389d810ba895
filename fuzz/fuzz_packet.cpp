// Fuzz target: online play's packet decoder. Whatever it accepts must encode
// to bytes (at most a packet's size) that decode to the same packet.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "net/packet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Packet p;
  if (!DecodePacket(data, size, &p)) return 0;
  const std::vector<uint8_t> written = EncodePacket(p);
  Packet again;
  if (written.size() > kMaxPacketBytes || !DecodePacket(written.data(), written.size(), &again) ||
      EncodePacket(again) != written)
    __builtin_trap();
  return 0;
}
