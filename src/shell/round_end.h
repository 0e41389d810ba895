// How a round's frame ends: on with the next frame, or the round is over
// because at most one fort stands and nothing flies (with the survivors'
// bonus while time is left), because its time ran out, or because the
// players quit.
//
// Threads: the game thread.
#pragma once

enum class RoundEnd { kGoOn, kWon, kTime, kQuit };

// The end test after a frame's steps, without the Esc question: kWon (the
// survivor bonus paid when the round timer is not 0), kTime or kGoOn.
RoundEnd RoundEndTest();

const char* RoundEndName(RoundEnd end);

// One frame of a round after the flip, the cursor and the surface check: the
// picture, then every part's step in the round's fixed order, ending with the
// frame phase (and the game tick every third frame).
void RoundFrameSteps();
