// The results shown after every round played to its end: the frozen round
// under a panel with "CONGRATULATION!!!" or "END OF TIME", and one line per
// player, ranked by rounds survived, with the player's money. It stays for at
// least 100 frames; a key pressed meanwhile is remembered and closes it then.
//
// Threads: the game thread.
#pragma once

#include <functional>

#include <cstdint>
#include <string>

#include "display/text.h"
#include "state/player_record.h"

class FramePresenter;

// The columns' headings (a player aid: not drawn with --classic).
inline constexpr const char* kRoundsHeading = "ROUNDS";
inline constexpr const char* kPlayerHeading = "PLAYER : MONEY";

// Frames the screen stays before a key or button closes it.
inline constexpr int32_t kResultsLockOut = 100;

// Runs the screen until it is dismissed (sound 6 when it opens, 18 when it closes).
void ShowRoundResults(FramePresenter& frame);
// The loop of a screen that a key, or a click that starts on it, closes once
// the lock-out is over (a computer-only game's closes by itself): sounds 6
// and 18 at its opening and closing, draw() once a frame.
void RunClosableScreen(FramePresenter& frame, const std::function<void()>& draw);

// The players of the game ranked by rounds survived, most first; a player
// only passes another with strictly more, so ties keep index order. Writes
// the player indices into order and returns how many there are.
int RankPlayers(int order[kMaxPlayers]);

// Rounds survived as at least four digits: 7 -> "0007", 1234 -> "1234".
void RoundsSurvivedText(int32_t rounds, std::string* out);

// The title for the round that ended, and its colour: green for a won round,
// yellow for one whose time ran out.
const char* ResultsTitle();
ColorRef ResultsTitleColour();

// A player's line is red-orange when the fort still stands after a won round,
// green otherwise.
ColorRef ResultLineColour(const PlayerRecord& player);
