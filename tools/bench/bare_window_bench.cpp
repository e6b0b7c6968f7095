// The floor of start-up: how long a bare OpenGL window of the show's size
// takes from the program's entry to its first frame on the screen (SDL, the
// window and one swap), and the memory its process holds at its peak.
// Prints one line for scripts/benchmark, which compares the show's start-up
// with it: a benchmark, not a test.
#include <SDL.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cstdio>

#include "app/set_up.h"
#include "peak_memory.h"

int main(int, char**)
{
    const auto entered = std::chrono::steady_clock::now();
    openShowWindow(true);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glFinish();
    const auto shown = std::chrono::steady_clock::now();
    std::printf("bare first_frame_ms %.1f peak_mib %.1f\n",
                std::chrono::duration<double, std::milli>(shown - entered).count(), peakMemoryMib());
    SDL_Quit();
    return 0;
}
