// Online play: one machine hosts (--host), others join with a player each
// (--join) or watch (--watch). Every machine runs the whole game from the
// same start; each frame's input record comes from the machine that owns the
// input then (the current player's during a round, the current customer's in
// the shop, the host's everywhere else) and travels through the host to the
// others, who wait for it. A joined machine that leaves or falls silent has
// its player handed to the computer from a frame the host chooses where no
// other machine can be ahead; the host leaving ends the game everywhere. The
// state checksums of the replays are compared at every one taken; a
// difference stops the game everywhere ("OUT OF SYNC AT FRAME N"). Anything
// received is decoded and checked before use; a malformed packet, or input
// for a frame its machine does not own, is dropped and counted.
//
// Threads: NetStartHost and NetStartJoin on the main thread at start-up,
// before the game thread runs; everything else on the game thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "net/packet.h"
#include "state/replay_file.h"

enum class NetRole : uint8_t { kOffline, kHost, kPlayer, kSpectator };

// Thrown out of the game's frame loops when an online game ends early: the
// host left, this machine left, or the machines went out of sync. The
// message (if any) is shown; the game is over on this machine.
struct NetGameOver {
  std::string message;
  bool outOfSync = false;
};

struct NetWelcome {
  uint8_t displayOption = 1;
  bool classic = false;
};

// Start-up. The host listens on `port`; false with a one-line reason.
bool NetStartHost(uint16_t port, std::string* error);
// Connects to a host and is welcomed (or refused, with the reason).
bool NetStartJoin(const std::string& address, uint16_t port, bool spectator, const std::string& name,
                  NetWelcome* welcome, std::string* error);
NetRole GetNetRole();
// The login name in capitals (letters, digits and spaces, at most 12), else "PLAYER".
std::string NetDefaultName();
// Closes the link (the end of the program, or a joined machine's game is over);
// the host first waits, at most 10 s, until the others have had everything
// sent to them and gone.
void NetClose();

// Handles what came in, waiting up to waitMs for something to come.
void NetService(int waitMs = 0);

// The host's lobby (its player set-up): the set-up opened (joined players
// take slots again) or closed; every frame of it, joined players take free
// slots (the next free colour) or give them up, and the lobby is sent out
// when it changed.
void NetLobbyOpen();
void NetLobbyClose();
void NetLobbyFrame();
// The machine that plays a player: 0 for this host's own (or offline).
int NetMachineOf(int player);
// Waits (bounded, for scripts) until the lobby has `players` players.
void NetWaitForPlayers(int players, int mostMs);
// The host waits (for scripts) at the start of that round of the game until
// a spectator follows it, at most mostMs.
void NetHoldAtRound(int round, int mostMs);

// A joined machine's view of the lobby.
const std::vector<LobbyPlayer>& NetLobbyPlayers();
int32_t NetLobbyRounds();
int NetOwnMachine();
void NetSendName(const std::string& name);
bool NetHostGone();

// The host begins the game: the replay's header goes to everyone.
void NetBeginGame(const std::vector<uint8_t>& replayHeader);
// A joined machine: the game's start (and, for a spectator, the game so
// far) has come; true once, with the replay so far. The game is on from the
// next frame.
bool NetGameArrived(Replay* replay);
bool NetInGame();

// Every frame of a game, once its input is taken: this machine's input goes
// out, or the owner's comes in and replaces it. Esc asks "LEAVE THE GAME?"
// here (it never reaches the game); Y leaves.
void NetFrame();
bool NetLeaveAsked();
// A spectator far behind plays without showing frames, under the loading
// picture; any machine a few frames behind the input it has skips showing
// frames until it is not (its screen does not stay late for ever).
bool NetCatchingUp();
bool NetBehind();
// A state checksum was taken at a frame (the replay's).
void NetCheckpoint(uint64_t frame, uint32_t sum);
// The game has ended on its own (its last screen closed).
void NetEndGame();

// The host's replay so far, for a spectator who joins during a game.
void SetNetReplaySource(std::function<std::vector<uint8_t>()> replaySoFar);
// A player was handed to the computer at the current frame.
void SetNetHandOverHook(std::function<void(int player)> hook);

struct NetStats {
  uint64_t dropped = 0;  // malformed packets, and input for frames its machine did not own
  uint64_t waits = 0;    // frames this machine waited for
  uint64_t longestWaitMs = 0;  // the longest of those waits (a measure of the link, never of the game)
  uint64_t caughtUp = 0; // a spectator: the frames of the game played before it came
};
const NetStats& GetNetStats();
