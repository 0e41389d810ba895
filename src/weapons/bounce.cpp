#include "weapons/bounce.h"

#include <algorithm>
#include <cmath>

#include "platform/message_box.h"
#include "platform/runtime.h"
#include "world/terrain.h"

namespace {

constexpr float kPi = 3.14159f;
constexpr float kScanStep = 0.02f;
// A full turn in steps of 0.02 is 315 angles; room for rounding.
constexpr int kMaxScanAngles = 400;
constexpr float kKeptSpeed = 0.8333333f;

// Whether any pixel of the world in the square [x - rho, x + rho] x
// [y - rho, y + rho] is ground. Every point of the scan circle lies in it, so
// a square of sky spares the whole scan.
bool GroundInSquare(const uint16_t* terrain, float x, float y, float rho) {
  const float left = std::max(x - rho, 0.0f), right = std::min(x + rho, kWorldWidth - 1.0f);
  const float top = std::max(y - rho, 0.0f), bottom = std::min(y + rho, kWorldHeight - 1.0f);
  if (!(left <= right && top <= bottom)) return false;
  const int c0 = static_cast<int>(left), c1 = static_cast<int>(right);
  const int r0 = static_cast<int>(top), r1 = static_cast<int>(bottom);
  for (int r = r0; r <= r1; ++r) {
    const uint16_t* row = terrain + static_cast<size_t>(r) * kWorldWidth;
    uint16_t any = 0;
    for (int c = c0; c <= c1; ++c) any |= row[c];
    if (any) return true;
  }
  return false;
}

// Whether the point of the scan circle at angle t counts: ground, inside the
// world (0 < px < 1536 and inside the rows). The range is tested before the
// pixel is read.
bool Counts(const uint16_t* terrain, float x, float y, float rho, float t) {
  const float px = x + rho * std::cos(t);
  const float py = y + rho * std::sin(t);
  if (!(px > 0 && px < kWorldWidth && py >= 0 && py < kWorldHeight)) return false;
  return terrain[static_cast<size_t>(py) * kWorldWidth + static_cast<size_t>(px)] != 0;
}

}  // namespace

bool BounceOnPixels(const uint16_t* terrain, float x, float y, float& vx, float& vy, int radius) {
  const float s = std::sqrt(vx * vx + vy * vy);
  const float rho = radius + s;
  if (y < 2 * rho || y > kWorldHeight - 2 * rho) return false;

  // The direction of motion; a vertical motion counts as a tiny leftward one.
  const float vxa = vx == 0 ? -0.000000001f : vx;
  float a = static_cast<float>(std::atan(static_cast<double>(vy / vxa)));
  if (vxa < 0) a += kPi;

  if (!GroundInSquare(terrain, x, y, rho)) return false;
  // The angles of the scan, from a - pi in steps of 0.02 up to a + pi; the
  // first and the last that meet ground.
  float angles[kMaxScanAngles];
  int count = 0;
  for (float t = a - kPi; t <= a + kPi && count < kMaxScanAngles; t += kScanStep) angles[count++] = t;
  int first = 0;
  while (first < count && !Counts(terrain, x, y, rho, angles[first])) ++first;
  if (first == count) return false;
  int last = count - 1;
  while (last > first && !Counts(terrain, x, y, rho, angles[last])) --last;

  // m: the direction in which the ground lies; no bounce unless it is ahead.
  const float m = (angles[first] + angles[last]) * 0.5f;
  if (std::fabs(m - a) > kPi / 2) return false;
  float n;
  if (m >= a)
    n = 2 * m - kPi - a;
  else if (vxa < 0 && vy < 0)
    n = m - a;
  else if (vxa < 0)
    n = m - kPi / 2 - a;
  else if (vy < 0)
    n = m - kPi / 2 - a + kPi;
  else
    n = m - kPi - a;
  const float speed = s * kKeptSpeed;
  vx = speed * std::cos(n);
  vy = speed * std::sin(n);
  return true;
}

bool BounceOffTerrain(float x, float y, float& vx, float& vy, int radius) {
  TerrainLock lock;
  if (!lock) {
    platform::ShowMessage("error lock powerhnost", platform::AppName());
    return false;
  }
  return BounceOnPixels(lock.Pixels(), x, y, vx, vy, radius);
}
