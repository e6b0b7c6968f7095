// What the viewer may ask of the show on its command line. With none it
// plays as written: full screen, from the start, with its song.
#pragma once

#include <cstdint>

struct ShowOptions {
    bool fullScreen = true;
    std::uint32_t fromMs = 0;
    bool muted = false;
};

// Reads the options. --help and --version print their text and end the
// program with 0; anything that cannot be read ends it with one line and 2.
ShowOptions readShowOptions(int argc, char** argv);
