// What the desktop show draws and plays, for holding the web page to it:
//     desktop_reference OUTDIR T1 T2 ...
// writes OUTDIR/splash.ppm and OUTDIR/T.ppm for each moment T: the frame at
// T of a fresh show with the reference snow seed brought there
// (advanceStateTo), as a binary PPM, top row first; OUTDIR/seed.txt, that
// seed, for the page to draw its frames from; OUTDIR/song.raw,
// the first songCheckMs of what the mixer plays from the song's start
// (16-bit stereo); and OUTDIR/song.txt, the samples in the song's loop.
// Needs a display.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/command_line.h"
#include "app/frame.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "assets/song_stream.h"
#include "gl_window.h"
#include "overlay/screen.h"

namespace {

constexpr std::uint32_t songCheckMs = 4000;
constexpr int firstMoment = 2;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "desktop_reference: %s\n", what.c_str());
    std::exit(1);
}

std::uint32_t number(const char* text)
{
    const auto value = parseMilliseconds(text);
    if (!value) {
        fail(std::string("'") + text + "' is not a whole number");
    }
    return *value;
}

// Written whole under a temporary name, then renamed.
void writeFile(const std::string& path, const void* data, std::size_t size, const char* header = "")
{
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    const bool written = file != nullptr && std::fputs(header, file) >= 0 &&
                         std::fwrite(data, 1, size, file) == size;
    if (file == nullptr || std::fclose(file) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
        fail("cannot write " + path);
    }
}

void writeScreen(const std::string& path)
{
    const std::vector<std::uint8_t> bottomUp = readScreen();
    const std::size_t row = static_cast<std::size_t>(screenWidth) * 3;
    std::vector<std::uint8_t> topDown(bottomUp.size());
    for (std::size_t y = 0; y < static_cast<std::size_t>(screenHeight); ++y) {
        std::copy_n(bottomUp.begin() + static_cast<long>((screenHeight - 1 - y) * row), row,
                    topDown.begin() + static_cast<long>(y * row));
    }
    const std::string header = "P6\n" + std::to_string(screenWidth) + " " + std::to_string(screenHeight) + "\n255\n";
    writeFile(path, topDown.data(), topDown.size(), header.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc <= firstMoment) {
        std::fprintf(stderr, "usage: desktop_reference OUTDIR T1 T2 ...\n");
        return usageErrorStatus;
    }
    const std::string out = argv[1];
    const std::string seed = std::to_string(referenceSnowSeed) + "\n";
    writeFile(out + "/seed.txt", seed.data(), seed.size());

    // The mixer's output from the song's start is what is heard from
    // heardDelayMs on.
    const std::vector<std::int16_t> song = renderHeardMusic(musicBlock(), heardDelayMs, heardDelayMs + songCheckMs);
    writeFile(out + "/song.raw", song.data(), song.size() * sizeof(std::int16_t));
    const std::string loop = std::to_string(loopSamples(indexSong(musicBlock()))) + "\n";
    writeFile(out + "/song.txt", loop.data(), loop.size());

    openShowWindow(false);
    prepareDrawing();
    drawSplashFrame();
    writeScreen(out + "/splash.ppm");
    SDL_GL_SwapBuffers();
    for (int i = firstMoment; i < argc; ++i) {
        const std::uint32_t t = number(argv[i]);
        const auto state = std::make_unique<ShowState>(referenceSnowSeed);
        advanceStateTo(t, *state);
        playFrame(t, *state);
        writeScreen(out + "/" + argv[i] + ".ppm");
        SDL_GL_SwapBuffers();
    }
    SDL_Quit();
    return 0;
}
