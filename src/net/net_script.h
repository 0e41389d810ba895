// The script commands of online play's tests: `net-wait N` holds the host's
// script until its lobby has N players (at most 30 s); `net-hold R MS` holds
// the host at the start of round R of its game (saying so on stderr) until a
// spectator follows, at most MS ms.
//
// Threads: registered on the main thread before the script is read; runs on
// the game thread.
#pragma once

void RegisterNetScriptCommands();
