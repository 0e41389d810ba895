// The set-up of a round: timers, the players' turn state, a random look and
// level with its tune, the landscape and forts built while the loading
// animation runs, the view and a sky that walks towards the middle of its
// colours.
//
// Threads: the game thread (the main thread's timer meanwhile draws the
// loading animation).
#pragma once

#include <cstdint>

// Start components drawn red, blue, green (0 to 31 each), each with a step
// towards the middle of the range (-1 above 24, +1 below 7, else 0), drawn
// again until one of the steps is not 0.
void ChooseSkyColour();
int8_t SkyStep(int start);

// The round's look, 0 to 4, from the next random number, and its tune
// ("tex1.mid" for set 0 to "tex5.mid" for set 4; none for another value).
uint16_t DrawScenerySet();
void PlayRoundTune(int scenerySet);

void RoundSetUp();
