#include "platform/input.h"

#include <algorithm>
#include <atomic>

namespace platform {

namespace {
std::atomic<InputSink*> g_sink{nullptr};
std::atomic<int> g_cursorX{0}, g_cursorY{0};
std::atomic<bool> g_clipped{false};
std::atomic<int> g_clipLeft{0}, g_clipTop{0}, g_clipRight{0}, g_clipBottom{0};
std::atomic<bool> g_cursorShown{true};

void Confine(int* x, int* y) {
  if (!g_clipped.load(std::memory_order_relaxed)) return;
  int l = g_clipLeft, t = g_clipTop, r = g_clipRight, b = g_clipBottom;
  if (r > l) *x = std::clamp(*x, l, r - 1);
  if (b > t) *y = std::clamp(*y, t, b - 1);
}
}  // namespace

void SetInputSink(InputSink* sink) { g_sink = sink; }
InputSink* GetInputSink() { return g_sink; }

void GetCursorPos(int* x, int* y) {
  *x = g_cursorX.load(std::memory_order_relaxed);
  *y = g_cursorY.load(std::memory_order_relaxed);
}

void SetCursorPos(int x, int y) {
  Confine(&x, &y);
  g_cursorX.store(x, std::memory_order_relaxed);
  g_cursorY.store(y, std::memory_order_relaxed);
}

void ClipCursor(int left, int top, int right, int bottom) {
  g_clipLeft = left;
  g_clipTop = top;
  g_clipRight = right;
  g_clipBottom = bottom;
  g_clipped = true;
  int x, y;
  GetCursorPos(&x, &y);
  SetCursorPos(x, y);
}

void ShowCursor(bool show) { g_cursorShown = show; }
bool CursorShown() { return g_cursorShown; }

}  // namespace platform
