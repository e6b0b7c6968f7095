#include "app/show_options.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/command_line.h"
#include "app/show_clock.h"

namespace {

constexpr const char* usage =
    "Usage: %s [OPTION]...\n"
    "A music-synchronised Christmas show: a splash, then the show full screen\n"
    "at 1024 x 768 with its song.\n"
    "\n"
    "  --window    play in a window instead of switching the display's mode\n"
    "  --from MS   start the show, and its song, MS milliseconds in\n"
    "              (0 to 4294967295)\n"
    "  --mute      play without sound (the show keeps its time)\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "Keys: any key ends the splash; Esc, the right mouse button or closing\n"
    "the window quits; Space pauses and plays on; Left and Right seek 5 s,\n"
    "Page Up and Page Down 30 s, Home goes to the start; comma and full stop\n"
    "step a frame while paused; a mouse move shows the bar, a click on it\n"
    "goes there; h or F1 shows the keys; m turns the sound off and on;\n"
    "f leaves full screen; s skips 10 s; c jumps to the greetings, r to the\n"
    "retro banner; holding t prints a time window.\n";

}  // namespace

ShowOptions readShowOptions(int argc, char** argv)
{
    ShowOptions options;
    CommandLine line(argc, argv);
    while (line.next()) {
        if (line.isFlag("--help")) {
            std::printf(usage, line.program().c_str());
            std::exit(0);
        } else if (line.isFlag("--version")) {
            std::printf("sleighride %s\n", SLEIGHRIDE_VERSION);
            std::exit(0);
        } else if (line.isFlag("--window")) {
            options.fullScreen = false;
        } else if (line.isFlag("--mute")) {
            options.muted = true;
        } else if (line.is("--from")) {
            const std::string text = line.value();
            const auto ms = parseMilliseconds(text);
            if (!ms) {
                line.fail("option '--from' takes a whole number of milliseconds, 0 to " +
                          std::to_string(showTimeLimitMs) + ", not " + quoted(text));
            }
            options.fromMs = *ms;
        } else {
            line.failUnknown();
        }
    }
    return options;
}
