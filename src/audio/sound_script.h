// Script commands that let a scripted run make and hear sounds before the
// screens that play them exist: `sound N` plays sound effect N (1 to 400) as
// the game does; `wait-sound` holds the game thread (in real time, up to a
// few seconds, without advancing the game's clock) until no sound plays any
// more, so that the run's audio output holds everything played so far;
// `wait-music MS` (MS from 0) holds it the same way until the music has put
// MS more milliseconds into the output (at once when no tune plays).
//
// Threads: registered on the main thread before the script is loaded; the
// commands run on the game thread.
#pragma once

void RegisterSoundScriptCommands();
