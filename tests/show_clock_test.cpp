// The show's keys and its clock: what each input asks for, the wrapping
// clock arithmetic of the jumps, and where the song must be for a show time.
#include <gtest/gtest.h>

#include "app/show_clock.h"

#include <string>

namespace {

SDL_Event keyDown(SDLKey key, SDLMod modifiers = KMOD_NONE)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

SDL_Event keyUp(SDLKey key)
{
    SDL_Event event = keyDown(key);
    event.type = SDL_KEYUP;
    return event;
}

SDL_Event mouseDown(Uint8 button)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    return event;
}

}  // namespace

TEST(ShowKeys, AskForWhatTheirKeySymbolMeans)
{
    EXPECT_EQ(requestFor(keyDown(SDLK_ESCAPE)), ShowRequest::Quit);
    EXPECT_EQ(requestFor(keyDown(SDLK_t)), ShowRequest::TimingStart);
    EXPECT_EQ(requestFor(keyDown(SDLK_s)), ShowRequest::SkipAhead);
    EXPECT_EQ(requestFor(keyDown(SDLK_s, KMOD_LSHIFT)), ShowRequest::SkipAhead);
    EXPECT_EQ(requestFor(keyDown(SDLK_c)), ShowRequest::JumpToGreetings);
    EXPECT_EQ(requestFor(keyDown(SDLK_r)), ShowRequest::JumpToRetroBanner);
    EXPECT_EQ(requestFor(keyDown(SDLK_f)), ShowRequest::Windowed);
    EXPECT_EQ(requestFor(keyDown(SDLK_SPACE)), ShowRequest::None);
    EXPECT_EQ(requestFor(keyDown(SDLK_q)), ShowRequest::None);
}

TEST(ShowKeys, EveryReleaseClosesATimingLine)
{
    EXPECT_EQ(requestFor(keyUp(SDLK_t)), ShowRequest::TimingEnd);
    EXPECT_EQ(requestFor(keyUp(SDLK_a)), ShowRequest::TimingEnd);
}

TEST(ShowMouseAndWindow, OnlyTheRightButtonAndClosingTheWindowQuit)
{
    EXPECT_EQ(requestFor(mouseDown(SDL_BUTTON_RIGHT)), ShowRequest::Quit);
    EXPECT_EQ(requestFor(mouseDown(SDL_BUTTON_LEFT)), ShowRequest::None);
    EXPECT_EQ(requestFor(mouseDown(SDL_BUTTON_MIDDLE)), ShowRequest::None);
    EXPECT_EQ(requestFor(mouseDown(SDL_BUTTON_WHEELUP)), ShowRequest::None);
    SDL_Event close{};
    close.type = SDL_QUIT;
    EXPECT_EQ(requestFor(close), ShowRequest::Quit);
}

TEST(ShowClock, JumpsExactlyToTheTargetEvenWhenTheStartWrapsBelowZero)
{
    const std::uint32_t now = 5000;  // SDL started only 5 s ago
    const std::uint32_t start = startTimeForShowTime(now, retroBannerJumpMs);
    EXPECT_GT(start, now) << "the start time wraps below zero";
    EXPECT_EQ(now - start, retroBannerJumpMs);
    EXPECT_EQ(now + 1234 - start, retroBannerJumpMs + 1234);
    EXPECT_EQ(startTimeForShowTime(200000, greetingsJumpMs), 89000u);
}

TEST(SongPosition, FollowsTheShowTimeAndWrapsWithTheLoopingSong)
{
    constexpr std::uint32_t songLength = 291030;
    EXPECT_DOUBLE_EQ(songPositionSeconds(greetingsJumpMs, songLength), 111.0);
    EXPECT_DOUBLE_EQ(songPositionSeconds(songLength, songLength), 0.0);
    EXPECT_DOUBLE_EQ(songPositionSeconds(300000, songLength), 8.97);
    EXPECT_DOUBLE_EQ(songPositionSeconds(300000, 0), 300.0) << "an unknown length never wraps";
}

namespace {

std::string printed(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

}  // namespace

TEST(TimingLines, PressAndReleaseMakeOneConditionAndOtherReleasesABareTime)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    printTimingStart(out, 81876);
    printTimingEnd(out, 83000);
    printTimingStart(out, 5000);
    printTimingEnd(out, 5000);  // pressed and released in one turn
    printTimingEnd(out, 7);     // any other key's release
    EXPECT_EQ(printed(out),
              "|| globaltime > 81876 && globaltime <= 83000\n"
              "|| globaltime > 5000 && globaltime <= 5000\n"
              "7\n");
    std::fclose(out);
}
