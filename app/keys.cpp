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
        default: return ShowRequest::None;
        }
    case SDL_KEYUP:
        return ShowRequest::TimingEnd;
    case SDL_MOUSEBUTTONDOWN:
        return event.button.button == SDL_BUTTON_RIGHT ? ShowRequest::Quit : ShowRequest::None;
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
