// The question "ARE YOU SURE (Yes/No) ?" that Esc raises during a round (over
// the frozen round) or in the shop (over a plain fill). It stops every sound
// effect when it opens and waits for Y or N; nothing else closes it.
//
// Threads: the game thread.
#pragma once

class FramePresenter;

enum QuitMode : int { kQuitFromRound = 1, kQuitFromShop = 2 };

// 1 when the answer was Y, 0 for N.
int QuitConfirmation(FramePresenter& frame, int mode);

// After a Y in a round: every channel is given back (the shells' own too),
// but the answer's click plays on to its end.
void ReleaseChannelsAfterQuit();

// Online play's question over the frame about to be shown: "LEAVE THE GAME?
// (Yes/No)" (the game goes on under it).
void DrawLeaveQuestion();
// A spectator's picture while it catches up with the game: the loading
// banner and the loading picture `step` (it runs up and down), straight on
// the visible surface.
void DrawCatchingUp(int step);
