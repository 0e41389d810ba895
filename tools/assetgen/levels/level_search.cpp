#include "assetgen/levels/level_search.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "assetgen/levels/search_random.h"
#include "state/shared_state.h"
#include "world/fort_placement.h"
#include "world/julia.h"
#include "world/landscape.h"
#include "world/terrain.h"

namespace levels {

namespace {

constexpr uint64_t kSearchSeed = 0x42554C5741524B31ull;  // fixed: the same levels on every run
constexpr int kStripTop = 730;
constexpr int kSkyBandRows = kWorldHeight / 8;
constexpr int kGroundBandTop = 640;
constexpr int kCellSize = 32;
constexpr int kCellsAcross = kWorldWidth / kCellSize, kCellsDown = kWorldHeight / kCellSize;
// A bound on candidates, far above what the search needs: it must end.
constexpr int kMaxCandidates = 200000;

// ---- Candidates -----------------------------------------------------------

struct Complex {
  double re, im;
};

// A point of the right half of the unit circle from t in [-1, 1], with basic
// arithmetic only (the rational parametrisation), so that every machine
// computes the same bits.
Complex UnitCircle(double t) {
  const double t2 = t * t;
  return {(1 - t2) / (1 + t2), 2 * t / (1 + t2)};
}

Complex RandomDirection(SearchRandom& rng) {
  Complex u = UnitCircle(rng.Uniform(-1, 1));
  if (rng.Next() & 1) u.re = -u.re;  // the other half circle
  return u;
}

// A Julia constant near the edge of the connectedness locus, where the sets
// have shapes: the main cardioid, the period-2 disc, the period-3 bulbs.
Complex RandomConstant(SearchRandom& rng) {
  const Complex u = RandomDirection(rng);
  const int kind = rng.Int(0, 9);
  if (kind < 5) {
    // Cardioid point e/2 - e^2/4, pulled in towards 0.
    const double rho = rng.Uniform(0.80, 1.0);
    const Complex e2{u.re * u.re - u.im * u.im, 2 * u.re * u.im};
    return {rho * (u.re / 2 - e2.re / 4), rho * (u.im / 2 - e2.im / 4)};
  }
  if (kind < 8) {
    const double r = 0.25 * rng.Uniform(0.45, 1.0);
    return {-1 + r * u.re, r * u.im};
  }
  const double r = 0.094 * rng.Uniform(0.3, 1.0);
  const double im = (kind == 8 ? 0.7449 : -0.7449);
  return {-0.1226 + r * u.re, im + r * u.im};
}

float F(double v) { return static_cast<float>(v); }

// The filled set on a coarse grid over [-2, 2]^2, by the game's point test.
constexpr int kScan = 128;
constexpr double kScanStep = 4.0 / (kScan - 1);

struct Scan {
  uint8_t inside[kScan][kScan];  // [row][column]
  double X(int i) const { return -2 + i * kScanStep; }
};

void ScanSet(const Complex& c, int limit, Scan* scan) {
  JuliaFrame f;
  f.left = -2;
  f.top = -2;
  f.dx = F(kScanStep);
  f.dy = F(kScanStep);
  f.cReal = F(c.re);
  f.cImag = F(c.im);
  f.iterations = static_cast<uint32_t>(limit) + 1;
  for (int j = 0; j < kScan; ++j)
    for (int i = 0; i < kScan; ++i) scan->inside[j][i] = JuliaInside(f, i, j);
}

// Draws a level: a constant, an iteration limit, and a window over the part
// of the set that makes a landscape (the set's rim in the upper half of the
// world, its body filling the bottom).
bool RandomLevel(SearchRandom& rng, Scan& scan, LevelParams* out) {
  const Complex c = RandomConstant(rng);
  // Limits below 6 give smooth single hills whose slopes leave too little
  // room for five forts; the small ones among the rest are favoured.
  const double u = rng.Unit();
  const int limit = kMinIterationLimit + static_cast<int>(u * u * (kMaxIterationLimit + 1 - kMinIterationLimit));
  ScanSet(c, limit, &scan);
  double left = 3, right = -3;
  for (int j = 0; j < kScan; ++j)
    for (int i = 0; i < kScan; ++i)
      if (scan.inside[j][i]) {
        left = std::min(left, scan.X(i));
        right = std::max(right, scan.X(i));
      }
  if (right - left < 0.4) return false;

  const double setWidth = right - left;
  const double width = setWidth * rng.Uniform(0.40, 1.0);
  const double centre = (left + right) / 2 + rng.Uniform(-0.3, 0.3) * (setWidth - width);
  const double height = width / rng.Uniform(1.6, 3.4);  // 2 keeps the set's proportions
  const bool flip = rng.Next() & 1;                     // the set's lower rim on top instead
  // The set's rim over the window's columns.
  double rim = flip ? -3 : 3;
  for (int j = 0; j < kScan; ++j)
    for (int i = 0; i < kScan; ++i) {
      const double x = scan.X(i), y = scan.X(j);
      if (x < centre - width / 2 || x > centre + width / 2 || !scan.inside[j][i]) continue;
      rim = flip ? std::max(rim, y) : std::min(rim, y);
    }
  if (rim == (flip ? -3 : 3)) return false;
  const double sky = height * rng.Uniform(0.2, 0.5);
  LevelParams l;
  l.left = F(centre - width / 2);
  l.right = F(centre + width / 2);
  if (rng.Next() & 1) std::swap(l.left, l.right);
  l.top = F(flip ? rim + sky : rim - sky);
  l.bottom = F(flip ? rim + sky - height : rim - sky + height);
  l.cReal = F(c.re);
  l.cImag = F(c.im);
  l.iterationLimit = static_cast<uint16_t>(limit);
  *out = l;
  return true;
}

// ---- Checks -----------------------------------------------------------------

// A coarse look at every eighth row, carved by the game's own kernel: the
// terrain shares with some slack.
bool CoarseLook(const LevelParams& level) {
  const JuliaFrame f = MakeJuliaFrame(level);
  uint16_t line[kWorldWidth];
  int64_t solid = 0, total = 0, sky = 0, skyTotal = 0, ground = 0, groundTotal = 0;
  for (int y = 4; y < kStripTop; y += 8) {
    std::fill_n(line, kWorldWidth, uint16_t{1});
    CarveJuliaRow(line, f, y);
    int n = 0;
    for (uint16_t p : line) n += p;
    solid += n;
    total += kWorldWidth;
    if (y < kSkyBandRows) {
      sky += n;
      skyTotal += kWorldWidth;
    }
    if (y >= kGroundBandTop) {
      ground += n;
      groundTotal += kWorldWidth;
    }
  }
  const double share = static_cast<double>(solid) / static_cast<double>(total);
  return share > kMinSolid - 0.03 && share < kMaxSolid + 0.03 &&
         static_cast<double>(sky) <= static_cast<double>(skyTotal) * (kMaxSkyBandSolid + 0.01) &&
         static_cast<double>(ground) >= static_cast<double>(groundTotal) * (kMinGroundBandSolid - 0.05);
}

int NextRand15(void* state) { return static_cast<SearchRandom*>(state)->Rand15(); }

}  // namespace

bool Playable(const LevelCheck& c) {
  return c.solidShare >= kMinSolid && c.solidShare <= kMaxSolid && c.skyBandSolid <= kMaxSkyBandSolid &&
         c.groundBandSolid >= kMinGroundBandSolid && c.surfaceRange >= kMinSurfaceRange &&
         c.edgePixels <= kMaxEdgePixels && c.fortsStand;
}

LevelCheck CheckLevel(LevelStage& stage, const LevelParams& level, uint64_t seed) {
  LevelCheck check;
  const LevelParams saved = g_level;
  g_level = level;
  BuildLandscape();
  g_level = saved;

  const uint16_t* t = stage.Terrain();
  const uint16_t edge = TerrainEdgeColour(0);
  int64_t solid = 0, sky = 0, ground = 0;
  int highest = kStripTop, lowest = 0;
  for (int x = 0; x < kWorldWidth; ++x) {
    int surface = kStripTop;
    for (int y = 0; y < kStripTop; ++y)
      if (t[static_cast<size_t>(y) * kWorldWidth + x]) {
        surface = y;
        break;
      }
    highest = std::min(highest, surface);
    lowest = std::max(lowest, surface);
  }
  for (int y = 0; y < kStripTop; ++y) {
    const uint16_t* row = t + static_cast<size_t>(y) * kWorldWidth;
    int n = 0;
    for (int x = 0; x < kWorldWidth; ++x) {
      n += row[x] != 0;
      check.edgePixels += row[x] == edge;
    }
    solid += n;
    if (y < kSkyBandRows) sky += n;
    if (y >= kGroundBandTop) ground += n;
  }
  check.solidShare = static_cast<double>(solid) / (static_cast<double>(kStripTop) * kWorldWidth);
  check.skyBandSolid = static_cast<double>(sky) / (static_cast<double>(kSkyBandRows) * kWorldWidth);
  check.groundBandSolid =
      static_cast<double>(ground) / (static_cast<double>(kStripTop - kGroundBandTop) * kWorldWidth);
  check.surfaceRange = lowest - highest;

  // Five players first: the hardest, and most candidates fail there. A fort
  // that needs more than the allowed attempts fails the level at once.
  check.fortsStand = true;
  SearchRandom rng(seed);
  const PlacementLimits limits{kMaxFortAttempts, 0, 0};
  for (int n = kMaxPlayers; n >= 2 && check.fortsStand; --n)
    for (int trial = 0; trial < kPlacementsPerPlayerCount && check.fortsStand; ++trial) {
      const PlacementReport report = PlaceFortsOnLandscape(n, RandomSource{NextRand15, &rng}, limits);
      for (int i = 0; i < n; ++i) {
        check.fortsStand = check.fortsStand && report.how[i] == FortPlacement::kStanding;
        check.worstAttempts = std::max(check.worstAttempts, report.attempts[i]);
      }
    }
  return check;
}

Signature TerrainSignature(const uint16_t* t) {
  Signature s(static_cast<size_t>(kCellsAcross) * kCellsDown);
  for (int cy = 0; cy < kCellsDown; ++cy)
    for (int cx = 0; cx < kCellsAcross; ++cx) {
      int n = 0;
      for (int y = cy * kCellSize; y < (cy + 1) * kCellSize; y += 4)
        for (int x = cx * kCellSize; x < (cx + 1) * kCellSize; x += 4) n += t[static_cast<size_t>(y) * kWorldWidth + x] != 0;
      s[static_cast<size_t>(cy) * kCellsAcross + cx] = n * 2 > (kCellSize / 4) * (kCellSize / 4);
    }
  return s;
}

int SignatureDistance(const Signature& a, const Signature& b) {
  int d = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) d += a[i] != b[i];
  return d;
}

std::vector<LevelParams> SearchLevels(SearchStats* stats) {
  SearchStats local;
  SearchStats& st = stats ? *stats : local;
  LevelStage stage;
  SearchRandom rng(kSearchSeed);
  std::vector<LevelParams> levels;
  levels.reserve(kLevelCount);
  std::vector<Signature> seen;
  auto scan = std::make_unique<Scan>();
  while (static_cast<int>(levels.size()) < kPlayableLevels && st.candidates < kMaxCandidates) {
    ++st.candidates;
    LevelParams l;
    if (!RandomLevel(rng, *scan, &l) || !CoarseLook(l)) continue;
    ++st.built;
    const LevelCheck check = CheckLevel(stage, l, rng.Next());
    if (!Playable(check)) continue;
    Signature sig = TerrainSignature(stage.Terrain());
    bool different = true;
    for (const Signature& s : seen) different = different && SignatureDistance(s, sig) >= kMinSignatureDistance;
    if (!different) continue;
    seen.push_back(std::move(sig));
    levels.push_back(l);
  }
  // Should the search ever run dry (the caller is told), the levels found
  // are repeated.
  const size_t found = levels.size();
  st.found = static_cast<int>(found);
  for (size_t i = found; i < static_cast<size_t>(kPlayableLevels); ++i) {
    const LevelParams again = found ? levels[i % found] : LevelParams();
    levels.push_back(again);
  }

  // The rest: mirrored and shifted views of the searched ones.
  for (int k = kPlayableLevels; k < kLevelCount; ++k) {
    const LevelParams base = levels[static_cast<size_t>((k - kPlayableLevels) % kPlayableLevels)];
    const int variant = (k - kPlayableLevels) / kPlayableLevels + 1;
    LevelParams mirrored = base;
    if (variant & 1) std::swap(mirrored.left, mirrored.right);
    LevelParams shifted = mirrored;
    const float shift = (mirrored.right - mirrored.left) * 0.02f * static_cast<float>(variant / 2 + 1);
    shifted.left += shift;
    shifted.right += shift;
    levels.push_back(CoarseLook(shifted) ? shifted : mirrored);
  }
  return levels;
}

}  // namespace levels
