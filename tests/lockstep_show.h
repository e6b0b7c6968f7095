// What the checks of the running show share: a window with every picture
// and the mixer on SDL's disk driver (the show's turns and the real mixer
// then run in lockstep, tests/lockstep_mixer.h), the pace of its turns, and
// the viewer's input as SDL events.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "gl_window.h"
#include "lockstep_mixer.h"

class ShowWindowAndDiskMixer : public ShowWindow {
public:
    void SetUp() override
    {
        ShowWindow::SetUp();
        openDiskMixer();
    }
};

// A turn of the main loop: a frame and its pause.
constexpr std::uint32_t turnMs = 40;
// The device asks for its first mix within a chunk of the start.
constexpr std::uint32_t firstMixAfterMs = 100;

inline SDL_Event keyDown(SDLKey key, SDLMod modifiers = KMOD_NONE)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

inline SDL_Event clicked(Uint8 button, int x = 0, int y = 0)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

inline SDL_Event mouseMoved(int dx)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = static_cast<Sint16>(dx);
    return event;
}
