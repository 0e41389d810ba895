// The configuration file game.ini: three binary bytes (display option, no
// vertical-blank wait, no refresh warning). The command line's --mode takes
// the place of the display option for one run.
//
// Threads: the main thread at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "state/shared_state.h"

// Stores the bytes read from game.ini into the configuration. Missing bytes
// (a file shorter than three bytes) keep their values; bytes after the third
// are ignored. Display options 0..3 set the screen size.
void ApplyConfigBytes(const uint8_t* bytes, size_t count, ConfigState* config);

// Stores a display option; options 0..3 also set the screen size.
void SetDisplayOption(uint8_t option, ConfigState* config);
