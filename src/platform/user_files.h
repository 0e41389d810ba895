// The player's own files: where they live (the XDG folders) and how they are
// read and written safely. A file is written to a temporary file beside it
// and renamed over it, so a crash never leaves half a file; it is read only
// up to a size, so a huge or endless file costs nothing.
//
// Threads: any (each call works on its own files).
#pragma once

#include <string>

namespace platform {

// $XDG_CONFIG_HOME/bulwark, else $HOME/.config/bulwark; empty when neither
// variable is set to an absolute path (the settings then stay unsaved).
std::string UserConfigDir();

enum class ReadResult { kRead, kMissing, kTooLarge, kUnreadable };

// Reads the whole file into *bytes when it has at most maxBytes bytes.
// kUnreadable (with *error) when it cannot be opened or read, or is not a
// regular file.
ReadResult ReadUserFile(const std::string& path, size_t maxBytes, std::string* bytes, std::string* error);

// Writes bytes to path through a temporary file in the same folder (made if
// missing) that is flushed to disk and renamed over path. False with a
// message when any step fails; path is then as it was.
bool WriteUserFile(const std::string& path, const std::string& bytes, std::string* error);

}  // namespace platform
