// The music cues: the game stops the music and names a tune for the title
// screen ("begin.mid"), each round ("tex1.mid" to "tex5.mid") and the shop
// ("mag.mid"). The cues go to the installed player: while MusicLifetime
// lives, one that plays the named tune from the data folder, looping;
// otherwise (and without a sound device, a soundfont or the tune file) a
// silent one. No cue ever reports an error.
//
// Threads: the game thread; MusicLifetime on the main thread.
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

// The music's volume, in per cent of its designed level.
void SetMusicVolume(int percent);

// Makes player the one the cues go to (null: back to the silent one).
// Returns the one it replaced.
std::unique_ptr<MusicPlayer> InstallMusicPlayer(std::unique_ptr<MusicPlayer> player);

// Installs the player of the tune files for as long as it lives, when the
// sound device plays and music is not turned off (--no-music). Made after
// the sound system (it plays through its device) and gone before it.
class MusicLifetime {
 public:
  MusicLifetime();
  ~MusicLifetime();
  MusicLifetime(const MusicLifetime&) = delete;
  MusicLifetime& operator=(const MusicLifetime&) = delete;
};
