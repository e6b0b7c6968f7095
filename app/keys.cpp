#include "app/keys.h"

#include <cinttypes>

ShowRequest requestFor(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        // The key symbol, not the typed character: Shift+s skips too.
        switch (event.key.keysym.sym) {
        case SDLK_ESCAPE: return ShowRequest::Quit;
        case SDLK_t: return ShowRequest::TimingStart;
        case SDLK_s: return ShowRequest::SkipAhead;
        case SDLK_r: return ShowRequest::JumpToRetroBanner;
        case SDLK_c: return ShowRequest::JumpToGreetings;
        case SDLK_f: return ShowRequest::Windowed;
        case SDLK_SPACE: return ShowRequest::PauseOrPlay;
        case SDLK_LEFT: return ShowRequest::SeekBack;
        case SDLK_RIGHT: return ShowRequest::SeekAhead;
        case SDLK_PAGEUP: return ShowRequest::SeekFarBack;
        case SDLK_PAGEDOWN: return ShowRequest::SeekFarAhead;
        case SDLK_HOME: return ShowRequest::SeekToStart;
        case SDLK_COMMA: return ShowRequest::StepBack;
        case SDLK_PERIOD: return ShowRequest::StepAhead;
        case SDLK_h:
        case SDLK_F1: return ShowRequest::ToggleKeys;
        case SDLK_m: return ShowRequest::ToggleMute;
        default: return ShowRequest::None;
        }
    case SDL_KEYUP:
        return ShowRequest::TimingEnd;
    case SDL_MOUSEBUTTONDOWN:
        switch (event.button.button) {
        case SDL_BUTTON_RIGHT: return ShowRequest::Quit;
        case SDL_BUTTON_LEFT: return ShowRequest::Point;
        default: return ShowRequest::None;
        }
    case SDL_MOUSEMOTION:
        // Moved, not merely placed: a window opening under the pointer
        // reports where it is without a move.
        return event.motion.xrel != 0 || event.motion.yrel != 0 ? ShowRequest::ShowControls : ShowRequest::None;
    case SDL_QUIT:
        return ShowRequest::Quit;
    default:
        return ShowRequest::None;
    }
}

void printTimingStart(std::FILE* out, std::uint32_t showTime)
{
    std::fprintf(out, "|| globaltime > %" PRIu32 " && globaltime <= ", showTime);
}

void printTimingEnd(std::FILE* out, std::uint32_t showTime)
{
    std::fprintf(out, "%" PRIu32 "\n", showTime);
    std::fflush(out);
}
