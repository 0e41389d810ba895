// The music cues: the game stops the music and names a tune for the title
// screen ("begin.mid"), each round ("tex1.mid" to "tex5.mid") and the shop
// ("mag.mid"). No music device is ever opened, so the cues are silent; a
// player that makes tunes audible can be installed without touching callers.
//
// Threads: the game thread.
#pragma once

#include <memory>
#include <string>

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Closes whatever the player has open; harmless when nothing is.
  virtual void Stop() = 0;
  virtual void Play(const std::string& tune) = 0;
};

// Stops the music.
void StopMusic();
// Names the tune to play (a file name such as "begin.mid").
void PlayTune(std::string name);

// Makes player the one the cues go to (null: back to the silent one).
// Returns the one it replaced.
std::unique_ptr<MusicPlayer> InstallMusicPlayer(std::unique_ptr<MusicPlayer> player);
