// The show's entry in a web page, in place of app/main.cpp. A browser
// draws nothing until the page's script gives control back, so the show's
// loop runs one turn per animation frame instead of looping itself, and
// the splash stays until the viewer presses play (a click, a tap, Enter or
// Space): only such a gesture lets a page start sound (shell.html takes it
// and makes the audio context), and the show starts once its song is in.
// The turns are the desktop show's own, drawn at the size of the screen's
// pixels under the canvas, so that the picture stays sharp.
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/set_up.h"
#include "app/show_loop.h"
#include "app/splash.h"
#include "app/warm_up.h"
#include "assets/loader.h"
#include "overlay/primitives.h"

// The page around the show (shell.html).
EM_JS(int, web_page_viewer_started, (), {
    return Module['viewerStarted'] && Module['webSong'].ready() ? 1 : 0;
});
EM_JS(int, web_page_fit_canvas, (), { return Module['fitCanvas']() ? 1 : 0; });
EM_JS(void, web_page_frame_drawn, (), {
    Module['framesDrawn'] = (Module['framesDrawn'] || 0) + 1;
    if (!Module['firstPictureAt']) {
        Module['firstPictureAt'] = performance.now();
        Module['onFirstPicture']();
    }
});
EM_JS(void, web_page_show_started, (), { Module['onShowStarted'](); });
EM_JS(void, web_page_show_stopped, (int seconds), {
    if (Module['onShowStopped']) Module['onShowStopped'](seconds);
});

extern "C" void web_song_hold(double showMs);

namespace {

// The page's one show, for as long as the page lives.
Show* show = nullptr;
bool splashOver = false;
bool picturesLoaded = false;
std::size_t warmedUp = 0;

void swallowInput()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

// The drawing buffer follows the canvas's size on the screen, in device
// pixels; the show's picture fills it as the desktop's fills a window.
void fitCanvas()
{
    if (web_page_fit_canvas() == 0) {
        return;
    }
    int width = 0;
    int height = 0;
    emscripten_get_canvas_element_size("#canvas", &width, &height);
    useShowViewport(width, height);
}

void turn()
{
    fitCanvas();
    if (!splashOver) {
        // What the viewer presses before the show starts is not for it.
        swallowInput();
        // As the desktop's splash: the pictures come in after each frame,
        // then the show's drawing warms up out of sight. The browser shows
        // what a turn draws last, so the warm-up comes before the splash.
        if (picturesLoaded && drawWarmUpFrame(warmedUp)) {
            ++warmedUp;
        } else if (picturesLoaded) {
            // Then the snapshots that seeks restore.
            show->snapshots.buildNext();
        }
        drawSplashFrame();
        SDL_GL_SwapBuffers();
        web_page_frame_drawn();
        picturesLoaded = uploadDecodedPictures();
        if (picturesLoaded && web_page_viewer_started()) {
            startShow(*show, 0);
            splashOver = true;
            web_page_show_started();
        }
        return;
    }
    showTurnFrame(*show, SDL_GetTicks());
    web_page_frame_drawn();
    if (!handleShowEvents(*show, SDL_GetTicks())) {
        closeSong(show->song);
        emscripten_cancel_main_loop();
        const int seconds = static_cast<int>(show->globaltime / msPerSecond);
        std::printf("Run for %d seconds\n", seconds);
        web_page_show_stopped(seconds);
    }
}

}  // namespace

// For the page's checks: the show brought to show time t as a fresh one
// with the given snow seed would have left it (advanceStateTo), and the
// clock held at t, so that the next turn draws the frame the desktop draws
// there. A negative t lets the clock go again.
extern "C" EMSCRIPTEN_KEEPALIVE void web_test_hold_at(unsigned seed, double t)
{
    if (t >= 0) {
        show->state.reset(seed);
        advanceStateTo(static_cast<std::uint32_t>(t), show->state);
    }
    web_song_hold(t < 0 ? -1 : t);
}

int main(int, char**)
{
    // The snow falls differently on every visit.
    show = new Show(static_cast<unsigned>(std::time(nullptr)));
    setUpShow(show->song);
    emscripten_set_main_loop(turn, 0, 1);
    return 0;
}
