// Digests of the show's frames as read back before the swap: the splash,
// then a frame every STEP ms (default 100) from 0 to LAST (default 320000),
// drawn in order from a fresh state as the show would. One line a frame,
// "TIME DIGEST" ("splash DIGEST" first). A change meant for speed or
// structure must leave every line as it was:
//     build/frame_digests > before.txt   (before the change)
//     build/frame_digests | diff before.txt -
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/command_line.h"
#include "app/frame.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "overlay/screen.h"

namespace {

constexpr std::uint32_t defaultStepMs = 100;
constexpr std::uint32_t defaultLastMs = 320000;

// 64-bit FNV-1a: enough to tell two frames apart.
std::uint64_t digestOfBackBuffer()
{
    static std::vector<std::uint8_t> pixels(static_cast<std::size_t>(screenWidth) * screenHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::uint64_t digest = 14695981039346656037ull;
    for (std::uint8_t byte : pixels) {
        digest = (digest ^ byte) * 1099511628211ull;
    }
    return digest;
}

std::uint32_t millisecondsArgument(int argc, char** argv, int index, std::uint32_t fallback)
{
    if (argc <= index) {
        return fallback;
    }
    const auto ms = parseMilliseconds(argv[index]);
    if (!ms || *ms == 0) {
        std::fprintf(stderr, "frame_digests: '%s' is not a whole number of milliseconds above 0\n", argv[index]);
        std::exit(usageErrorStatus);
    }
    return *ms;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t stepMs = millisecondsArgument(argc, argv, 1, defaultStepMs);
    const std::uint32_t lastMs = millisecondsArgument(argc, argv, 2, defaultLastMs);
    openShowWindow(false);
    prepareDrawing();
    drawSplashFrame();
    std::printf("splash %016llx\n", static_cast<unsigned long long>(digestOfBackBuffer()));
    SDL_GL_SwapBuffers();
    const auto state = std::make_unique<ShowState>(referenceSnowSeed);
    for (std::uint32_t t = 0; t <= lastMs; t += stepMs) {
        playFrame(t, *state);
        std::printf("%u %016llx\n", t, static_cast<unsigned long long>(digestOfBackBuffer()));
        SDL_GL_SwapBuffers();
    }
    SDL_Quit();
    return 0;
}
