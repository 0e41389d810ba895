// A packet of a given kind with every field set within its range, for the
// packet tests and the packet fuzz target's seeds.
//
// Threads: any.
#pragma once

#include "net/packet.h"

inline Packet SamplePacket(PacketKind kind) {
  Packet p;
  p.kind = kind;
  p.version = "1.0";
  p.spectator = true;
  p.name = "ANN 2";
  p.machine = 3;
  p.displayOption = 3;
  p.classic = true;
  p.reason = 1;
  p.rounds = 5;
  p.players = {{"BOB", 1, 0, 0, 0}, {"ANN 2", 3, 1, 2, 3}};
  p.frame = 601;
  p.total = 9;
  p.offset = 4;
  p.bytes = {1, 2, 3, 4, 5};
  p.records = {{}, {320, 200, 1, 0, 0, 65, 0}, {-3, 479, 0, 1, 1, 0, 0x33353000}};
  p.player = 4;
  p.count = 2;
  p.sum = 0xDEADBEEF;
  return p;
}
