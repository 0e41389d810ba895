#include "world/julia.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "world/terrain.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The single floats 1/1535 and 1/767 (0.0006514658 and 0.0013037809).
constexpr float kColumnStep = 1.0f / 1535.0f;
constexpr float kRowStep = 1.0f / 767.0f;
constexpr float kEscape = 100.0f;

// Rows handed out per claim when two threads share the carving; small enough
// to balance sky rows (cheap) against ground rows (full iteration count).
constexpr int kRowsPerClaim = 4;

}  // namespace

JuliaFrame MakeJuliaFrame(const LevelParams& l) {
  JuliaFrame f;
  f.left = l.left;
  f.top = l.top;
  f.dx = (l.right - l.left) * kColumnStep;
  f.dy = (l.bottom - l.top) * kRowStep;
  f.cReal = l.cReal;
  f.cImag = l.cImag;
  f.iterations = static_cast<uint32_t>(l.iterationLimit) + 1;
  return f;
}

bool JuliaInside(const JuliaFrame& f, int column, int row) {
  float a = static_cast<float>(column) * f.dx + f.left;
  float b = static_cast<float>(row) * f.dy + f.top;
  if (a * a + b * b > kEscape) return false;
  for (uint32_t k = 0; k < f.iterations; ++k) {
    const float na = a * a - b * b + f.cReal;
    const float nb = 2.0f * a * b + f.cImag;
    a = na;
    b = nb;
    if (a * a + b * b > kEscape) return false;
  }
  return true;
}

void CarveJuliaScalar(uint16_t* pixels, const LevelParams& level) {
  const JuliaFrame f = MakeJuliaFrame(level);
  for (int row = 0; row < kWorldHeight; ++row) {
    uint16_t* line = pixels + static_cast<size_t>(row) * kWorldWidth;
    for (int column = 0; column < kWorldWidth; ++column)
      if (!JuliaInside(f, column, row)) line[column] = 0;
  }
}

#if defined(__SSE2__)

namespace {

// Vectors of four pixels carved together: enough independent work to hide
// the latency of the multiply-add chain, few enough that pixels which escape
// early do not wait long for their neighbours.
constexpr int kVectors = 4;
constexpr int kBlock = 4 * kVectors;
static_assert(kWorldWidth % kBlock == 0);

void CarveRowSse(uint16_t* line, const JuliaFrame& f, int row) {
  const __m128 dx = _mm_set1_ps(f.dx), left = _mm_set1_ps(f.left);
  const __m128 cr = _mm_set1_ps(f.cReal), ci = _mm_set1_ps(f.cImag);
  const __m128 escape = _mm_set1_ps(kEscape), two = _mm_set1_ps(2.0f);
  const __m128 lanes = _mm_setr_ps(0.0f, 1.0f, 2.0f, 3.0f);
  const __m128 b0 = _mm_set1_ps(static_cast<float>(row) * f.dy + f.top);
  const __m128 bb0 = _mm_mul_ps(b0, b0);

  for (int column = 0; column < kWorldWidth; column += kBlock) {
    __m128 a[kVectors], b[kVectors], aa[kVectors], bb[kVectors], out[kVectors];
    int escaped = 0xF;  // the lanes that have escaped in every vector
    for (int v = 0; v < kVectors; ++v) {
      // Column numbers below 2^24 are exact as floats, so col + lane is the
      // float of the column, as in the one-pixel form.
      const __m128 col = _mm_add_ps(_mm_set1_ps(static_cast<float>(column + 4 * v)), lanes);
      a[v] = _mm_add_ps(_mm_mul_ps(col, dx), left);
      b[v] = b0;
      aa[v] = _mm_mul_ps(a[v], a[v]);
      bb[v] = bb0;
      out[v] = _mm_cmpgt_ps(_mm_add_ps(aa[v], bb[v]), escape);
      escaped &= _mm_movemask_ps(out[v]);
    }
    for (uint32_t k = 0; k < f.iterations && escaped != 0xF; ++k) {
      escaped = 0xF;
      for (int v = 0; v < kVectors; ++v) {
        // Lanes that have escaped keep iterating harmlessly (towards
        // infinity or NaN); their outcome is already fixed in out.
        const __m128 na = _mm_add_ps(_mm_sub_ps(aa[v], bb[v]), cr);
        const __m128 nb = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(two, a[v]), b[v]), ci);
        a[v] = na;
        b[v] = nb;
        aa[v] = _mm_mul_ps(na, na);
        bb[v] = _mm_mul_ps(nb, nb);
        out[v] = _mm_or_ps(out[v], _mm_cmpgt_ps(_mm_add_ps(aa[v], bb[v]), escape));
        escaped &= _mm_movemask_ps(out[v]);
      }
    }
    // Clear the outside pixels: the 32-bit lane masks packed to 16 bits.
    uint16_t* p = line + column;
    int v = 0;
    for (; v + 1 < kVectors; v += 2) {
      const __m128i mask = _mm_packs_epi32(_mm_castps_si128(out[v]), _mm_castps_si128(out[v + 1]));
      __m128i* q = reinterpret_cast<__m128i*>(p + 4 * v);
      _mm_storeu_si128(q, _mm_andnot_si128(mask, _mm_loadu_si128(q)));
    }
    if (v < kVectors) {
      const __m128i mask = _mm_packs_epi32(_mm_castps_si128(out[v]), _mm_setzero_si128());
      __m128i* q = reinterpret_cast<__m128i*>(p + 4 * v);
      _mm_storel_epi64(q, _mm_andnot_si128(mask, _mm_loadl_epi64(q)));
    }
  }
}

}  // namespace

void CarveJuliaRow(uint16_t* line, const JuliaFrame& f, int row) { CarveRowSse(line, f, row); }

#else

void CarveJuliaRow(uint16_t* line, const JuliaFrame& f, int row) {
  for (int column = 0; column < kWorldWidth; ++column)
    if (!JuliaInside(f, column, row)) line[column] = 0;
}

#endif

void CarveJuliaRows(uint16_t* pixels, const JuliaFrame& f, int rowBegin, int rowEnd) {
  for (int row = rowBegin; row < rowEnd; ++row) CarveJuliaRow(pixels + static_cast<size_t>(row) * kWorldWidth, f, row);
}

void CarveJulia(uint16_t* pixels, const LevelParams& level) {
  const JuliaFrame f = MakeJuliaFrame(level);
  std::atomic<int> next{0};
  auto work = [&] {
    for (;;) {
      const int begin = next.fetch_add(kRowsPerClaim, std::memory_order_relaxed);
      if (begin >= kWorldHeight) return;
      CarveJuliaRows(pixels, f, begin, begin + kRowsPerClaim < kWorldHeight ? begin + kRowsPerClaim : kWorldHeight);
    }
  };
  std::thread helper;
  try {
    helper = std::thread(work);
  } catch (const std::system_error&) {
    // No second thread to be had: this one carves every row.
  }
  work();
  if (helper.joinable()) helper.join();
}
