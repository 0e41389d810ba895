// When the input records a machine has decided go out on the link: a packet
// as soon as a batch fills one, everything at least every kSendEveryMs, and
// everything before the machine waits for a frame itself. With frames 16.7 ms
// apart that is every frame, so a frame waits on the link's delay alone (and
// the host's pass when it goes between two joined machines).
//
// Threads: any (a rule; the game thread uses it).
#pragma once

#include <cstddef>

#include "net/packet.h"

inline constexpr double kSendEveryMs = 4;

// True when the `batched` records are to be sent now.
inline bool SendNow(size_t batched, double msSinceLastSend, bool aboutToWait) {
  return batched > 0 && (aboutToWait || batched >= kMostFramesPerPacket || msSinceLastSend >= kSendEveryMs);
}
