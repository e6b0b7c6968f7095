#include "app/show_loop.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "app/keys.h"
#include "app/set_up.h"
#include "overlay/primitives.h"

namespace {

// A seek from where the clock is now, by deltaMs either way, never before
// the start.
void seekBy(Show& show, std::int64_t deltaMs, std::uint32_t now)
{
    const auto from = static_cast<std::int64_t>(songClockMs(show.song, now));
    seekShow(show, static_cast<std::uint64_t>(std::max<std::int64_t>(from + deltaMs, 0)), now);
}

// A left click: on the bar, while the bar shows, a seek there; anywhere, the
// bar.
void point(Show& show, int windowX, int windowY, std::uint32_t now)
{
    if (barOpacity(show.controls, now, show.paused) > 0) {
        const ShowPoint at = showPointInWindow(windowX, windowY);
        if (onBar(at.x, at.y)) {
            seekShow(show, msAtBarX(at.x), now);
            return;
        }
    }
    show.controls.show(now);
}

void handle(Show& show, const SDL_Event& event, std::uint32_t now)
{
    switch (requestFor(event)) {
    case ShowRequest::Quit:
        show.quitRequested = true;
        break;
    case ShowRequest::TimingStart:
        if (!show.timingLineOpen) {
            printTimingStart(stdout, show.globaltime);
            show.timingLineOpen = true;
        }
        break;
    case ShowRequest::TimingEnd:
        if (show.timingLineOpen) {
            printTimingEnd(stdout, show.globaltime);
            show.timingLineOpen = false;
        }
        break;
    case ShowRequest::SkipAhead:
        // From where the clock is now: presses within one turn add up.
        moveSongTo(show.song, std::uint64_t{songClockMs(show.song, now)} + skipAheadMs, now);
        break;
    case ShowRequest::JumpToGreetings:
        moveSongTo(show.song, greetingsJumpMs, now);
        break;
    case ShowRequest::JumpToRetroBanner:
        moveSongTo(show.song, retroBannerJumpMs, now);
        break;
    case ShowRequest::Windowed:
        leaveFullScreen();
        break;
    case ShowRequest::PauseOrPlay:
        pauseShow(show, !show.paused, now);
        break;
    case ShowRequest::SeekBack:
        seekBy(show, -std::int64_t{shortSeekMs}, now);
        break;
    case ShowRequest::SeekAhead:
        seekBy(show, shortSeekMs, now);
        break;
    case ShowRequest::SeekFarBack:
        seekBy(show, -std::int64_t{longSeekMs}, now);
        break;
    case ShowRequest::SeekFarAhead:
        seekBy(show, longSeekMs, now);
        break;
    case ShowRequest::SeekToStart:
        seekShow(show, 0, now);
        break;
    case ShowRequest::StepBack:
        if (show.paused) {
            seekBy(show, -std::int64_t{nominalFrameMs}, now);
        }
        break;
    case ShowRequest::StepAhead:
        if (show.paused) {
            seekBy(show, nominalFrameMs, now);
        }
        break;
    case ShowRequest::ToggleKeys:
        show.controls.keysShown = !show.controls.keysShown;
        break;
    case ShowRequest::ToggleMute:
        setSongMuted(show.song, !songMuted(show.song));
        show.controls.show(now);
        break;
    case ShowRequest::Point:
        point(show, event.button.x, event.button.y, now);
        break;
    case ShowRequest::ShowControls:
        if (show.controls.pointerPlaced) {
            show.controls.show(now);
        }
        show.controls.pointerPlaced = true;
        break;
    case ShowRequest::None:
        break;
    }
}

}  // namespace

void startShow(Show& show, std::uint32_t fromMs)
{
    startSong(show.song, fromMs, SDL_GetTicks());
    show.globaltime = fromMs;
    show.quitRequested = false;
    show.seeking = true;
}

void seekShow(Show& show, std::uint64_t showMs, std::uint32_t now)
{
    moveSongTo(show.song, std::min(showMs, showTimeLimitMs), now);
    show.seeking = true;
    show.controls.show(now);
}

void pauseShow(Show& show, bool paused, std::uint32_t now)
{
    pauseSong(show.song, paused, now);
    show.paused = paused;
    show.controls.show(now);
}

void advanceShowTurn(Show& show, std::uint32_t now)
{
    show.globaltime = songClockMs(show.song, now);
    if (show.seeking) {
        show.snapshots.restore(show.globaltime, show.state);
        advanceFrame(show.globaltime, show.state);
        show.seeking = false;
    } else if (!show.paused) {
        advanceFrame(show.globaltime, show.state);
    }
}

void drawShowTurn(const Show& show, std::uint32_t now)
{
    drawFrame(show.globaltime, show.state);
    drawPlayerBar({show.globaltime, show.paused, songMuted(show.song), barOpacity(show.controls, now, show.paused)});
    if (show.controls.keysShown) {
        drawPlayerKeys();
    }
}

void showTurnFrame(Show& show, std::uint32_t now)
{
    advanceShowTurn(show, now);
    drawShowTurn(show, now);
    // The pointer shows with the player, to click the bar with.
    const bool pointerShown = barOpacity(show.controls, now, show.paused) > 0 || show.controls.keysShown;
    if (pointerShown != show.controls.pointerShown) {
        SDL_ShowCursor(pointerShown ? SDL_ENABLE : SDL_DISABLE);
        show.controls.pointerShown = pointerShown;
    }
    SDL_GL_SwapBuffers();
    show.snapshots.buildNext();
}

bool handleShowEvents(Show& show, std::uint32_t now)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handle(show, event, now);
    }
    return !show.quitRequested;
}
