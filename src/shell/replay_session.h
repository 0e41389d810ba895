// Replays of games: every game from PLAY GAME to its end or quit is recorded
// (the frame's input records, with checksums of the game's state every 600
// frames and at every round's end) and written when it ends, to --record's
// file or to the replays folder ($XDG_DATA_HOME/bulwark/replays/, the newest
// 50 kept). --replay plays one back: the game runs on the recorded records
// instead of the live input; only Tab (fast-forward) and Esc then Y (leave)
// come from the viewer. A checksum that differs stops the playback with
// "REPLAY OUT OF SYNC AT FRAME N" (exit code 1).
//
// Threads: LoadReplayFile on the main thread before the game thread starts;
// FinishRecordingAtExit in the exit hook; the rest on the game thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/replay_file.h"

// Reads and checks a replay for playback; false with a one-line reason.
bool LoadReplayFile(const std::string& path, std::string* error);
// A replay was loaded: the run plays it back.
bool ReplayLoaded();
const ReplayHeader& LoadedReplayHeader();

// Recording: PLAY GAME was pressed (an online game that came from the host
// is recorded under the host's header); the game ended (the file is written).
void BeginRecording(const ReplayHeader* given = nullptr);
// The header of the game being recorded.
const ReplayHeader& RecordingHeader();
// The recording so far as a replay file's bytes.
std::vector<uint8_t> RecordingSoFar();
// A player of an online game is the computer's from the current frame on.
void RecordHandOver(int player);
void EndRecording();
// The exit hook's part: a game still being recorded is written as it stands.
void FinishRecordingAtExit();

// Sets up a recorded game's players, rounds, random generator and input (and
// the game's clock with withClock).
void SetUpRecordedGame(const ReplayHeader& h, bool withClock);
// Playback: sets up the recorded game's players, random generator, clock and
// input; after the game, checks that it ended where the recorded one did.
void BeginPlayback();
void EndPlayback();

// Every frame, once its input is taken: recorded, or replaced by the replay's.
void ReplayFrame();
// A round has ended: a checksum is stored or compared.
void ReplayRoundEnd();

// Where replays go by default (empty when neither XDG_DATA_HOME nor HOME is set).
std::string ReplayFolder();
