#include "shell/state_checksum.h"

#include <cstring>
#include <string>

#include "platform/random.h"
#include "state/player_record.h"
#include "state/replay_file.h"
#include "weapons/projectile_table.h"
#include "world/terrain.h"

namespace {

class Sum {
 public:
  template <typename T>
  void Add(T v) {
    uint8_t bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    crc_ = Crc32(bytes, sizeof bytes, crc_);
  }
  void Add(const std::string& s) {
    Add(s.size());
    crc_ = Crc32(reinterpret_cast<const uint8_t*>(s.data()), s.size(), crc_);
  }
  void AddBytes(const void* p, size_t n) { crc_ = Crc32(static_cast<const uint8_t*>(p), n, crc_); }
  uint32_t Value() const { return crc_; }

 private:
  uint32_t crc_ = 0;
};

}  // namespace

uint32_t GameStateChecksum() {
  Sum sum;
  for (const PlayerRecord& p : g_players) {
    for (float f : {p.x, p.y, p.horizontalSpeed, p.fallSpeed}) sum.Add(f);
    for (int v : {int{p.colourIndex}, int{p.control}, int{p.destroyed}, int{p.damage}, int{p.shieldCharges}})
      sum.Add(v);
    for (const auto& s : p.stock) sum.Add(s.load());
    sum.Add(p.name);
    for (int32_t v : {p.money, p.roundsSurvived, p.ledger.damage, p.ledger.drops, p.ledger.bonus, p.ledger.spent})
      sum.Add(v);
  }
  if (TerrainLock terrain; terrain) sum.AddBytes(terrain.Pixels(), sizeof(uint16_t) * kWorldWidth * kWorldHeight);
  for (const Projectile& q : g_projectiles) {
    for (float f : {q.x, q.y, q.vx, q.vy}) sum.Add(f);
    for (uint16_t v : {q.type, q.direction, q.animStep, q.program, q.programCounter, q.stepFramesLeft, q.state})
      sum.Add(v);
  }
  sum.Add(platform::RandState());
  return sum.Value();
}
