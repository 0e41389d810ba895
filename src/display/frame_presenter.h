// FramePresenter: what a screen's frame loop asks of the main frame once a
// pass: show the frame drawn in the back surface, and check (and recover) the
// display's surfaces. The main frame implements it; the screens drive their
// loops through it without reaching up to the shell.
//
// Threads: the game thread.
#pragma once

class FramePresenter {
 public:
  // Optional wait for vertical blank, flip, and the game's per-frame input.
  virtual void FlipFrame() = 0;
  // The surface check; lost surfaces are waited for and rebuilt.
  virtual void CheckSurfaces() = 0;
  // One frame's presentation: the flip, then the surface check. Loops that
  // read the mouse between the two call the halves themselves.
  void PresentFrame() {
    FlipFrame();
    CheckSurfaces();
  }

 protected:
  ~FramePresenter() = default;
};
