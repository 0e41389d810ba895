// The computer opponent: at the start of its turn it picks a weapon at
// random; then, one launch speed per frame, it flies a fan of trial
// trajectories over the terrain bitmap, keeps the one that lands closest to
// an enemy fort, charges the gauge up to that speed's power and fires with a
// small random error.
//
// Threads: the game thread.
#pragma once

// When a computer player's turn begins: a weapon from fixed odds (DEFENSE
// only for a badly damaged fort without a shield), MISSILE when none of the
// chosen weapon is left.
void ComputerWeaponChoice();
