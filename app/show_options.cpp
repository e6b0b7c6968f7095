#include "app/show_options.h"

#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"

namespace {

constexpr const char* usage =
    "Usage: %s [OPTION]...\n"
    "A music-synchronised Christmas show: a splash, then the show full screen\n"
    "at 1024 x 768 with its song.\n"
    "\n"
    "  --window    play in a window instead of switching the display's mode\n"
    "  --from MS   start the show, and its song, MS milliseconds in\n"
    "  --mute      play without sound (the show keeps its time)\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "Keys: any key ends the splash; Esc, the right mouse button or closing\n"
    "the window quits; f leaves full screen; s skips 10 s; c jumps to the\n"
    "greetings, r to the retro banner; holding t prints a time window.\n";

}  // namespace

ShowOptions readShowOptions(int argc, char** argv)
{
    ShowOptions options;
    CommandLine line(argc, argv);
    while (line.next()) {
        if (line.is("--help")) {
            std::printf(usage, line.program().c_str());
            std::exit(0);
        } else if (line.is("--version")) {
            std::printf("sleighride %s\n", SLEIGHRIDE_VERSION);
            std::exit(0);
        } else if (line.is("--window")) {
            options.fullScreen = false;
        } else if (line.is("--mute")) {
            options.muted = true;
        } else if (line.is("--from")) {
            const auto ms = parseMilliseconds(line.value());
            if (!ms) {
                line.fail("option --from needs a whole number of milliseconds");
            }
            options.fromMs = *ms;
        } else {
            line.failUnknown();
        }
    }
    return options;
}
