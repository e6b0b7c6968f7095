// The running show: what the viewer's keys and mouse do to its clock and
// whether it goes on, the wrapping clock arithmetic of the jumps, where the
// song must be for a show time, and the timing lines of the t key.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/keys.h"
#include "app/show_loop.h"
#include "assets/song_stream.h"
#include "gl_window.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow(true));

void push(Uint8 type, SDLKey key = SDLK_UNKNOWN, SDLMod modifiers = KMOD_NONE, Uint8 button = 0)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    if (type == SDL_MOUSEBUTTONDOWN) {
        event.button.button = button;
    }
    SDL_PushEvent(&event);
}

class RunningShow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(openSong(show->song, musicBlock()));
        show->songLengthMs = songLengthMs(musicBlock());
        startShow(*show, 0);
    }
    void TearDown() override { closeSong(show->song); }

    // Handles what is pending; the show time just after, and the most it may
    // be past the expected one by the time it is read.
    bool handleEvents()
    {
        const Uint32 before = SDL_GetTicks();
        const bool goesOn = handleShowEvents(*show);
        showTime = show->clock.tick(SDL_GetTicks());
        slackMs = SDL_GetTicks() - before;
        return goesOn;
    }

    std::unique_ptr<Show> show = std::make_unique<Show>(1);
    std::uint32_t showTime = 0;
    std::uint32_t slackMs = 0;
};

}  // namespace

TEST_F(RunningShow, JumpKeysMoveTheClockAndShiftedKeysCountToo)
{
    push(SDL_KEYDOWN, SDLK_c);
    EXPECT_TRUE(handleEvents());
    EXPECT_GE(showTime, greetingsJumpMs);
    EXPECT_LE(showTime, greetingsJumpMs + slackMs);

    push(SDL_KEYDOWN, SDLK_r, KMOD_LSHIFT);
    EXPECT_TRUE(handleEvents());
    EXPECT_GE(showTime, retroBannerJumpMs);
    EXPECT_LE(showTime, retroBannerJumpMs + slackMs);

    const std::uint32_t before = show->clock.tick(SDL_GetTicks());
    push(SDL_KEYDOWN, SDLK_s);
    EXPECT_TRUE(handleEvents());
    EXPECT_GE(showTime, before + skipAheadMs);
    EXPECT_LE(showTime, before + skipAheadMs + slackMs + 1);

    // Other keys, releases and the other mouse buttons leave it alone.
    push(SDL_KEYDOWN, SDLK_q);
    push(SDL_KEYDOWN, SDLK_SPACE);
    push(SDL_MOUSEBUTTONDOWN, SDLK_UNKNOWN, KMOD_NONE, SDL_BUTTON_LEFT);
    const std::uint32_t still = show->clock.tick(SDL_GetTicks());
    EXPECT_TRUE(handleEvents());
    EXPECT_LE(showTime, still + slackMs + 1);
}

TEST_F(RunningShow, EscTheRightButtonAndClosingTheWindowEndItAfterEveryPendingEvent)
{
    for (const auto& quit : {std::pair{SDL_KEYDOWN, SDLK_ESCAPE}, {SDL_QUIT, SDLK_UNKNOWN}}) {
        push(quit.first, quit.second);
        push(SDL_KEYDOWN, SDLK_c);  // still handled
        EXPECT_FALSE(handleEvents());
        EXPECT_GE(showTime, greetingsJumpMs);
        show->quitRequested = false;
    }
    push(SDL_MOUSEBUTTONDOWN, SDLK_UNKNOWN, KMOD_NONE, SDL_BUTTON_RIGHT);
    EXPECT_FALSE(handleEvents());
}

TEST_F(RunningShow, StartsAtAMomentWithTheClockThereAndPlaysMutedWhenAsked)
{
    closeSong(show->song);
    ASSERT_TRUE(openSong(show->song, musicBlock()));
    show->song.muted = true;
    const Uint32 before = SDL_GetTicks();
    startShow(*show, greetingsJumpMs);
    const Uint32 now = SDL_GetTicks();
    const std::uint32_t started = show->clock.tick(now);
    EXPECT_GE(started, greetingsJumpMs);
    EXPECT_LE(started, greetingsJumpMs + (now - before));
    EXPECT_TRUE(handleEvents());
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);

    closeSong(show->song);
    ASSERT_TRUE(openSong(show->song, musicBlock()));
    show->song.muted = false;
    startShow(*show, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME) << "a song that is not muted plays at full volume again";
}

TEST(ShowClock, JumpsExactlyToTheTargetEvenWhenTheStartWrapsBelowZero)
{
    ShowClock clock;
    const std::uint32_t now = 5000;  // SDL started only 5 s ago
    clock.moveTo(now, retroBannerJumpMs);
    EXPECT_GT(clock.starttime, now) << "the start time wraps below zero";
    EXPECT_EQ(clock.tick(now), retroBannerJumpMs);
    EXPECT_EQ(clock.tick(now + 1234), retroBannerJumpMs + 1234);
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
