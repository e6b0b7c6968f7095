// A test program whose shared set-up fails (no display, no audio device, no
// song) must fail, not report its tests as skipped: it says why and exits.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void failSetUp(const char* what, const char* why)
{
    std::fprintf(stderr, "test set-up failed: %s: %s\n", what, why);
    std::exit(1);
}
