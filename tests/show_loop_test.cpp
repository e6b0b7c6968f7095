// The running show on a made-up tick counter, its music mixed by the real
// mixer one chunk at a time (tests/lockstep_mixer.h): the viewer's keys jump
// the clock at once, and the music plays where the clock is at every mix.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include "app/keys.h"
#include "app/show_loop.h"
#include "lockstep_show.h"
#include "straight_song.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindowAndDiskMixer);

// Where a press moves the clock by the show's own rules, from the show time
// at the turn it is pressed; nothing for the events that leave it alone.
std::optional<std::uint64_t> afterPress(const SDL_Event& event, std::uint64_t showMs)
{
    if (event.type != SDL_KEYDOWN) {
        return std::nullopt;
    }
    switch (event.key.keysym.sym) {
    case SDLK_s: return showMs + skipAheadMs;
    case SDLK_c: return greetingsJumpMs;
    case SDLK_r: return retroBannerJumpMs;
    default: return std::nullopt;
    }
}

// The player's pause, as the viewer's controls call it.
enum class Pausing { Leave, Pause, Resume };

// Events pushed before the turn at a number of ms after the start; a pause
// or resume first.
struct Presses {
    std::uint32_t afterStartMs;
    std::vector<SDL_Event> events;
    Pausing pausing = Pausing::Leave;
};

struct ShowRun {
    std::vector<MixedChunk> chunks;
    std::vector<std::uint64_t> showMsAtMix;  // the arithmetic's, at each mix's tick
    std::vector<bool> pausedAtMix;
    int movingPresses = 0;
    int seeksExpected = 0;     // the start, and one per mix after moving presses or a resume
    int turnsOffTheClock = 0;  // whose show time is not the arithmetic's
    bool wentBack = false;
    std::uint64_t latestMs = 0;
};

class ShowInLockstep : public ::testing::Test {
protected:
    // The device stays paused until the lockstep starts it, so that the
    // player never mixes on the real tick counter.
    void SetUp() override
    {
        SDL_PauseAudio(1);
        ASSERT_TRUE(openSong(show->song, musicBlock()));
    }
    void TearDown() override { closeSong(show->song); }

    // The show started at startTick, a turn every turnMs, for the given
    // number of mixes. Each turn pauses or resumes, handles the events
    // pushed before it and draws its frame; its show time is checked
    // against the arithmetic kept here: 0 until the first mix, then the
    // last jump's target plus the ticks since, held while paused.
    ShowRun play(std::uint32_t startTick, int mixes, const std::vector<Presses>& script)
    {
        ShowRun result;
        const std::uint32_t firstMix = startTick + firstMixAfterMs;
        ClockAnchor clock{0, firstMix};
        std::optional<std::uint64_t> held;
        const auto showMsAtTick = [&](std::uint32_t tick) { return held ? *held : showMsAt(clock, tick); };
        std::size_t next = 0;
        int mixesDone = 0;
        bool movedSinceMix = true;
        result.chunks = playInLockstep(*show->song.player, startTick, firstMix, mixes, [&](std::uint32_t tick) {
            const std::uint32_t sinceStart = tick - startTick;
            if (sinceStart == 0) {
                startSong(show->song, 0, tick);
            }
            if (sinceStart % turnMs == 0) {
                for (; next < script.size() && script[next].afterStartMs <= sinceStart; ++next) {
                    const Pausing pausing = script[next].pausing;
                    if (pausing != Pausing::Leave) {
                        pauseSong(show->song, pausing == Pausing::Pause, tick);
                    }
                    if (pausing == Pausing::Pause && !held) {
                        held = showMsAtTick(tick);
                    } else if (pausing == Pausing::Resume && held) {
                        clock = {*held, tick};
                        held.reset();
                        movedSinceMix = true;
                    }
                    for (SDL_Event event : script[next].events) {
                        SDL_PushEvent(&event);
                        if (const auto moved = afterPress(event, showMsAtTick(tick))) {
                            result.wentBack = result.wentBack || *moved < showMsAtTick(tick);
                            if (held) {
                                held = *moved;
                            } else {
                                clock = {*moved, tick};
                                movedSinceMix = true;
                            }
                            ++result.movingPresses;
                        }
                    }
                }
                EXPECT_TRUE(handleShowEvents(*show, tick));
                showTurnFrame(*show, tick);
                const auto expected = static_cast<std::uint32_t>(showMsAtTick(tick));
                if (show->globaltime != expected && result.turnsOffTheClock++ == 0) {
                    ADD_FAILURE() << "at " << sinceStart << " ms the show time is " << show->globaltime << ", not "
                                  << expected;
                }
                result.latestMs = std::max<std::uint64_t>(result.latestMs, show->globaltime);
            }
            if (tick == lockstepMixTick(firstMix, mixesDone)) {
                result.showMsAtMix.push_back(showMsAtTick(tick));
                result.pausedAtMix.push_back(held.has_value());
                if (!held) {
                    result.seeksExpected += movedSinceMix;
                    movedSinceMix = false;
                }
                ++mixesDone;
            }
        });
        return result;
    }

    // At every mix: silence while paused; else within heardTogetherMs of the
    // show time, and the song exactly as a straight play has it there,
    // starting on the very sample of the show time where it was placed.
    static void expectMusicFollowsTheClock(const ShowRun& run)
    {
        EXPECT_EQ(run.turnsOffTheClock, 0);
        int seeks = 0;
        for (std::size_t k = 0; k < run.chunks.size(); ++k) {
            const MixedChunk& chunk = run.chunks[k];
            const MusicPlayer::Mix& mix = chunk.mix;
            EXPECT_EQ(mix.paused, run.pausedAtMix[k]) << "mix " << k;
            if (mix.paused) {
                const bool silent =
                    std::all_of(chunk.samples.begin(), chunk.samples.end(), [](std::int16_t s) { return s == 0; });
                EXPECT_TRUE(silent) << "mix " << k << " is paused but not silent";
                continue;
            }
            EXPECT_EQ(mix.clockMs, run.showMsAtMix[k]) << "mix " << k;
            EXPECT_LE(std::abs(gapMs(mix)), heardTogetherMs) << "mix at show time " << mix.clockMs;
            EXPECT_TRUE(straightSong().matches(chunk.samples.data(), mix.musicShowSample, mixerChunkSamples))
                << "mix at show time " << mix.clockMs << " is not the song there";
            if (mix.placed) {
                EXPECT_EQ(mix.musicShowSample, sampleAtMs(run.showMsAtMix[k])) << "mix " << k;
            }
            seeks += mix.placed;
        }
        EXPECT_EQ(seeks, run.seeksExpected) << "presses between two mixes make one seek";
        expectDrawerLeftStateClean();
    }

    std::unique_ptr<Show> show = std::make_unique<Show>(1);
};

}  // namespace

TEST_F(ShowInLockstep, KeysJumpTheClockAtOnceAndTheMusicPlaysThereFromTheNextMix)
{
    std::vector<SDL_Event> toTheLoopsEnd{keyDown(SDLK_c)};
    // 111 s and 18 skips: 291 s, 56 ms before the song loops.
    toTheLoopsEnd.insert(toTheLoopsEnd.end(), 18, keyDown(SDLK_s));
    const std::vector<Presses> script = {
        {480, {keyDown(SDLK_c)}},
        {1280, {keyDown(SDLK_r, KMOD_LSHIFT)}},
        {2080, {keyDown(SDLK_c)}},
        {2880, std::vector<SDL_Event>(8, keyDown(SDLK_s))},
        {3680, {keyDown(SDLK_q), keyDown(SDLK_x), clicked(SDL_BUTTON_LEFT)}},
        // 38 ms before a mix: the song plays on across its loop from there.
        {4520, toTheLoopsEnd},
        {6000, {keyDown(SDLK_s)}},
    };
    const ShowRun run = play(5000, 40, script);
    ASSERT_EQ(run.movingPresses, 31);
    EXPECT_EQ(run.seeksExpected, 7);
    EXPECT_GT(run.latestMs, msAtSample(straightSong().loopLength()));
    expectMusicFollowsTheClock(run);
}

TEST_F(ShowInLockstep, KeepsItsClockAndMusicThroughASeededStormOfKeysAsTheTicksWrap)
{
    std::mt19937 random(20231224);
    std::bernoulli_distribution pressed(0.2);
    std::uniform_int_distribution<int> burst(1, 8);
    std::discrete_distribution<int> which({17, 1, 1});  // mostly skips, so some runs pass the loop
    const SDLKey keys[] = {SDLK_s, SDLK_c, SDLK_r};
    constexpr int mixes = 48;
    std::vector<Presses> script;
    for (std::uint32_t ms = 0; ms < mixes * mixerChunkMs; ms += turnMs) {
        if (pressed(random)) {
            std::vector<SDL_Event> events(burst(random));
            for (SDL_Event& event : events) {
                event = keyDown(keys[which(random)]);
            }
            script.push_back({ms, events});
        }
    }
    // The tick counter wraps 1.5 s into the show.
    const ShowRun run = play(0xffffffffu - 1500, mixes, script);
    EXPECT_GE(run.movingPresses, 100);
    EXPECT_TRUE(run.wentBack);
    EXPECT_GT(run.latestMs, msAtSample(straightSong().loopLength())) << "no run of skips past the loop";
    expectMusicFollowsTheClock(run);
}

TEST_F(ShowInLockstep, PausedTheClockHoldsAndTheMusicIsSilentFromTheNextMixAndResumedPlaysOnFromTheHeldTime)
{
    const std::vector<Presses> script = {
        {480, {keyDown(SDLK_c)}},
        {1000, {}, Pausing::Pause},
        {1040, {}, Pausing::Pause},  // a second pause changes nothing
        // Moves while paused move the held time.
        {1400, {keyDown(SDLK_s), keyDown(SDLK_s)}},
        {1800, {keyDown(SDLK_r)}},
        {2200, {}, Pausing::Resume},
        {2240, {}, Pausing::Resume},  // nor does resuming what runs
        {2600, {keyDown(SDLK_c)}},
        // Paused and resumed between two mixes: the music goes on at the
        // held time, with a seek.
        {3000, {}, Pausing::Pause},
        {3080, {}, Pausing::Resume},
        // Paused across the loop's end, and a move in the same turn as the
        // resume.
        {3600, {keyDown(SDLK_c)}},
        {3640, std::vector<SDL_Event>(18, keyDown(SDLK_s)), Pausing::Pause},
        {4400, {keyDown(SDLK_s)}, Pausing::Resume},
    };
    const ShowRun run = play(5000, 36, script);
    EXPECT_EQ(run.movingPresses, 25);
    EXPECT_GE(std::count(run.pausedAtMix.begin(), run.pausedAtMix.end(), true), 8);
    EXPECT_GT(run.latestMs, msAtSample(straightSong().loopLength()));
    expectMusicFollowsTheClock(run);
}

TEST(RunningShow, EscTheRightButtonAndClosingTheWindowEndItAfterEveryPendingEvent)
{
    auto show = std::make_unique<Show>(1);
    ASSERT_TRUE(openSong(show->song, musicBlock()));
    startShow(*show, 0);
    SDL_Event closed{};
    closed.type = SDL_QUIT;
    for (SDL_Event quit : {keyDown(SDLK_ESCAPE), clicked(SDL_BUTTON_RIGHT), closed}) {
        SDL_Event jump = keyDown(SDLK_c);
        SDL_PushEvent(&quit);
        SDL_PushEvent(&jump);  // still handled
        const std::uint32_t now = SDL_GetTicks();
        EXPECT_FALSE(handleShowEvents(*show, now));
        EXPECT_GE(songClockMs(show->song, now), greetingsJumpMs);
        show->quitRequested = false;
    }
}
