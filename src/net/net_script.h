// The script commands of online play's tests: `net-wait N` holds the host's
// script until its lobby has N players; `net-hold-watcher R` holds the host
// at the start of round R of its game until a spectator follows (each at
// most 30 s).
//
// Threads: registered on the main thread before the script is read; runs on
// the game thread.
#pragma once

void RegisterNetScriptCommands();
