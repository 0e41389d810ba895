// The script command of online play's tests: `net-wait N` holds the host's
// script until its lobby has N players (at most 30 s).
//
// Threads: registered on the main thread before the script is read; runs on
// the game thread.
#pragma once

void RegisterNetScriptCommands();
