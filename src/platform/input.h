// Input as the game sees it: window messages delivered to one sink (key down
// and up with Windows virtual-key codes, button down and up, the window timer)
// and a cursor position the game thread reads in screen pixels.
//
// Threads: messages are delivered on the main thread (scripted input on the
// game thread); the cursor is an atomic pair written by either, read by the
// game thread.
#pragma once

namespace platform {

class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void OnKeyDown(int vk) = 0;
  virtual void OnKeyUp(int vk) = 0;
  virtual void OnTimer(int id) = 0;
  virtual void OnLButtonUp() = 0;
  virtual void OnLButtonDown() = 0;
  virtual void OnRButtonUp() = 0;
  virtual void OnRButtonDown() = 0;
};

void SetInputSink(InputSink* sink);
InputSink* GetInputSink();

// The cursor in screen pixels, confined to the clip rectangle once one is set.
void GetCursorPos(int* x, int* y);
void SetCursorPos(int x, int y);
// Confines the cursor to left <= x < right, top <= y < bottom.
void ClipCursor(int left, int top, int right, int bottom);
// Shows or hides the system's mouse pointer over the game's window.
void ShowCursor(bool show);
bool CursorShown();

}  // namespace platform
