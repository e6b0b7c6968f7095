// The player: its keys, its bar's arithmetic, and the running show on a
// made-up tick counter with the real mixer mixing one chunk at a time
// (tests/lockstep_mixer.h): a seek shows at once the frame that a show
// played from the start shows there, and the music plays there from the
// next mix; paused, the frame holds and steps a frame at a time; the bar
// shows on a move, fades, and a click on it seeks.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "app/keys.h"
#include "app/player_bar.h"
#include "app/show_loop.h"
#include "lockstep_show.h"
#include "straight_song.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindowAndDiskMixer);

constexpr unsigned seed = 3;

SDL_Event leftClickAt(int x, int y)
{
    return clicked(SDL_BUTTON_LEFT, x, y);
}

// The frame a show played from the start draws at t, frame by frame every
// nominalFrameMs.
std::vector<std::uint8_t> truthAt(std::uint32_t t)
{
    const auto state = std::make_unique<ShowState>(seed);
    advanceStateTo(t, *state);
    drawFrameAt(t, *state);
    return readScreen();
}

std::vector<std::uint8_t> frameOf(const Show& show)
{
    drawFrame(show.globaltime, show.state);
    return readScreen();
}

class PlayerInLockstep : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(openSong(show->song, musicBlock()));
        // What the window reported of itself is not the test's input.
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        show->controls.pointerPlaced = true;
    }
    void TearDown() override { closeSong(show->song); }

    // The show started at startTick, a turn every turnMs for the given
    // number of mixes, calling before(turn, tick) ahead of each turn's events
    // and after(turn) once its state is advanced.
    std::vector<MixedChunk> play(int mixes, const std::function<void(int turn, std::uint32_t tick)>& before,
                                 const std::function<void(int turn)>& after)
    {
        constexpr std::uint32_t startTick = 7000;
        int turn = 0;
        return playInLockstep(*show->song.player, startTick, startTick + firstMixAfterMs, mixes,
                              [&](std::uint32_t tick) {
                                  if (tick == startTick) {
                                      startSong(show->song, 0, tick);
                                  }
                                  if ((tick - startTick) % turnMs != 0) {
                                      return;
                                  }
                                  before(turn, tick);
                                  handleShowEvents(*show, tick);
                                  advanceShowTurn(*show, tick);
                                  after(turn);
                                  ++turn;
                              });
    }

    // At every mix: within heardTogetherMs of the show time, and the song
    // exactly as a straight play has it there.
    static void expectMusicAtTheClock(const std::vector<MixedChunk>& chunks)
    {
        for (const MixedChunk& chunk : chunks) {
            const MusicPlayer::Mix& mix = chunk.mix;
            EXPECT_LE(std::abs(gapMs(mix)), heardTogetherMs) << "mix at show time " << mix.clockMs;
            EXPECT_TRUE(straightSong().matches(chunk.samples.data(), mix.musicShowSample, mixerChunkSamples))
                << "mix at show time " << mix.clockMs << " is not the song there";
        }
    }

    std::unique_ptr<Show> show = std::make_unique<Show>(seed);
};

}  // namespace

TEST(PlayerKeys, AskForTheirMovesAndTheMouseShowsTheBarOnlyWhenItMoves)
{
    const struct {
        SDLKey key;
        ShowRequest request;
    } keys[] = {{SDLK_SPACE, ShowRequest::PauseOrPlay},   {SDLK_LEFT, ShowRequest::SeekBack},
                {SDLK_RIGHT, ShowRequest::SeekAhead},     {SDLK_PAGEUP, ShowRequest::SeekFarBack},
                {SDLK_PAGEDOWN, ShowRequest::SeekFarAhead}, {SDLK_HOME, ShowRequest::SeekToStart},
                {SDLK_COMMA, ShowRequest::StepBack},      {SDLK_PERIOD, ShowRequest::StepAhead},
                {SDLK_h, ShowRequest::ToggleKeys},        {SDLK_F1, ShowRequest::ToggleKeys},
                {SDLK_m, ShowRequest::ToggleMute},        {SDLK_q, ShowRequest::None}};
    for (const auto& k : keys) {
        EXPECT_EQ(requestFor(keyDown(k.key)), k.request) << SDL_GetKeyName(k.key);
    }
    EXPECT_EQ(requestFor(leftClickAt(10, 10)), ShowRequest::Point);
    EXPECT_EQ(requestFor(mouseMoved(3)), ShowRequest::ShowControls);
    EXPECT_EQ(requestFor(mouseMoved(0)), ShowRequest::None) << "a window opening under the pointer";
}

TEST(PlayerBar, ShowsForTwoSecondsThenFadesAndStaysWhilePaused)
{
    PlayerControls controls;
    EXPECT_EQ(barOpacity(controls, 5000, false), 0);
    EXPECT_EQ(barOpacity(controls, 5000, true), 1);
    // Shown just before the tick counter wraps.
    const std::uint32_t shownAt = 0xffffffffu - 1000;
    controls.show(shownAt);
    const struct {
        std::uint32_t after;
        float opacity;
    } cases[] = {{0, 1}, {barShownMs, 1}, {barShownMs + barFadeMs / 2, 0.5f}, {barShownMs + barFadeMs, 0},
                 {60000, 0}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(barOpacity(controls, shownAt + c.after, false), c.opacity) << c.after;
        EXPECT_EQ(barOpacity(controls, shownAt + c.after, true), 1) << c.after;
    }
}

TEST(PlayerBar, SpansTheScriptAndNamesTheLayerOnScreenWithTheShortestWindow)
{
    EXPECT_FLOAT_EQ(barXAt(0), barLeft);
    EXPECT_FLOAT_EQ(barXAt(showEndMs), barRight);
    EXPECT_FLOAT_EQ(barXAt(showEndMs + 60000), barRight) << "the song plays on after the script";
    EXPECT_EQ(msAtBarX(barLeft - 10), 0u);
    EXPECT_EQ(msAtBarX(barRight + 10), showEndMs);
    for (std::uint32_t t : {0u, 1u, 36001u, 111000u, 200000u}) {
        EXPECT_NEAR(msAtBarX(barXAt(t)), t, 1) << t;
    }
    EXPECT_TRUE(onBar(barLeft, barTop));
    EXPECT_TRUE(onBar(barRight, barTop + barHeight + 10)) << "a finger's height";
    EXPECT_FALSE(onBar(barLeft - 1, barTop));
    EXPECT_FALSE(onBar(screenCentreX, screenCentreY));

    const struct {
        std::uint64_t ms;
        const char* text;
    } clocks[] = {{0, "0:00"}, {59999, "0:59"}, {60000, "1:00"}, {showEndMs, "5:18"}, {3600000, "60:00"}};
    for (const auto& c : clocks) {
        EXPECT_EQ(clockText(c.ms), c.text);
    }

    const struct {
        std::uint32_t t;
        const char* named;
    } names[] = {{0, "Ride"},           {40000, "Opening titles"}, {53000, "Ride"},   {70000, "Emblem orbit"},
                 {82000, "Hand over caption"}, {97000, "Singer"},    {113000, "Greetings"},
                 {showEndMs, "Closing card"}};
    for (const auto& n : names) {
        const ShowLayer* layer = layerNamedAt(n.t);
        ASSERT_NE(layer, nullptr) << n.t;
        EXPECT_EQ(layerWords(layer->name), n.named) << n.t;
    }
    EXPECT_EQ(layerNamedAt(showEndMs + 1), nullptr);

    const std::vector<std::uint32_t> starts = segmentStarts();
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts.front(), 0u);
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    EXPECT_EQ(std::adjacent_find(starts.begin(), starts.end()), starts.end()) << "each start once";
}

TEST(PlayerBar, AClickFindsTheShowsScreenInAWindowOfAnySize)
{
    const struct {
        int x, y, width, height;
        float showX, showY;
    } cases[] = {
        {0, 0, screenWidth, screenHeight, 0, 0},
        {512, 700, screenWidth, screenHeight, 512, 700},
        {160, 0, 1280, 720, 0, 0},  // black bars beside the picture
        {1120, 720, 1280, 720, screenWidth, screenHeight},
        {400, 300, 800, 600, 512, 384},
        {0, 32, 1280, 1024, 0, 0},  // bars above and below
    };
    for (const auto& c : cases) {
        const ShowPoint at = showPointAt(c.x, c.y, c.width, c.height);
        EXPECT_FLOAT_EQ(at.x, c.showX) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(at.y, c.showY) << c.width << "x" << c.height;
    }
}

TEST(StateSnapshots, BringAStateToAnyMomentAsRunningEveryFrameBeforeItWould)
{
    // A clock of 24 frames a second, whose frames fall on no whole ms.
    class FilmFrames : public FrameTimes {
    public:
        std::uint32_t timeOf(std::uint64_t frame) const override
        {
            return static_cast<std::uint32_t>(frame * 1000 / 24);
        }
        std::uint64_t framesBefore(std::uint32_t ms) const override { return (std::uint64_t{ms} * 24 + 999) / 1000; }
    } film;
    StateSnapshots snapshots(seed, film);
    // The edges of a snapshot's second, the snow and the pattern, the last
    // change and after it; out of order, as seeks come.
    for (const std::uint32_t t : {40000u, 0u, 999u, 1000u, 1001u, 111500u, 36042u, 116625u, 116626u, 200000u}) {
        SCOPED_TRACE(t);
        const auto run = std::make_unique<ShowState>(seed);
        for (std::uint64_t frame = 0; frame < film.framesBefore(t); ++frame) {
            advanceFrame(film.timeOf(frame), *run);
        }
        drawFrameAt(t, *run);
        const auto expected = readScreen();
        const auto restored = std::make_unique<ShowState>(seed + 1);
        snapshots.restore(t, *restored);
        drawFrameAt(t, *restored);
        EXPECT_EQ(differingRows(readScreen(), expected), noRows);
    }
}

TEST_F(PlayerInLockstep, SeeksShowAtOnceWhatAShowPlayedFromTheStartShowsThere)
{
    // Forwards and backwards, through the ride, the snow, the pattern, the
    // script's end and the song's loop, by the keys and by the bar.
    std::vector<std::uint32_t> targets = {2000,   36500,  30000,  60000,  41000, 111020, 113900, 116600,
                                          116626, 74000,  48751,  0,      1,     299000, 292000, 111000,
                                          36001,  318500, 90000,  45015};
    std::mt19937 random(1224);
    std::uniform_int_distribution<std::uint32_t> anywhere(0, 330000);
    while (targets.size() < 46) {
        targets.push_back(anywhere(random));
    }
    const SDLKey keys[] = {SDLK_RIGHT, SDLK_LEFT, SDLK_PAGEDOWN, SDLK_PAGEUP, SDLK_HOME, SDLK_PAGEDOWN,
                           SDLK_RIGHT, SDLK_PAGEDOWN};
    const int seeks = static_cast<int>(targets.size() + std::size(keys));
    int compared = 0;
    const auto chunks = play(
        static_cast<int>(seeks * turnMs / mixerChunkMs) + 2,
        [&](int turn, std::uint32_t tick) {
            if (turn < static_cast<int>(targets.size())) {
                seekShow(*show, targets[static_cast<std::size_t>(turn)], tick);
            } else if (turn < seeks) {
                SDL_Event key = keyDown(keys[static_cast<std::size_t>(turn) - targets.size()]);
                SDL_PushEvent(&key);
            }
        },
        [&](int turn) {
            if (turn >= seeks) {
                return;
            }
            SCOPED_TRACE(show->globaltime);
            if (turn < static_cast<int>(targets.size())) {
                ASSERT_EQ(show->globaltime, targets[static_cast<std::size_t>(turn)]);
            }
            const auto shown = frameOf(*show);
            EXPECT_EQ(differingRows(shown, truthAt(show->globaltime)), noRows);
            ++compared;
        });
    EXPECT_EQ(compared, seeks);
    EXPECT_GE(compared, 50);
    expectMusicAtTheClock(chunks);
}

TEST_F(PlayerInLockstep, PausedTheFrameHoldsAndStepsAFrameAtATime)
{
    std::vector<std::uint8_t> held;
    std::uint32_t pausedAt = 0;
    play(
        12,
        [&](int turn, std::uint32_t tick) {
            const std::vector<SDL_Event> presses[] = {{}, {}, {}, {}, {}, {keyDown(SDLK_SPACE)}};
            if (turn == 2) {
                seekShow(*show, 45000, tick);  // in the snow, which falls a step a frame
            }
            if (turn < static_cast<int>(std::size(presses))) {
                for (SDL_Event event : presses[turn]) {
                    SDL_PushEvent(&event);
                }
            }
            if (turn == 9 || turn == 10) {
                SDL_Event step = keyDown(turn == 9 ? SDLK_PERIOD : SDLK_COMMA);
                SDL_PushEvent(&step);
            }
            if (turn == 12) {
                SDL_Event play = keyDown(SDLK_SPACE);
                SDL_PushEvent(&play);
            }
        },
        [&](int turn) {
            if (turn == 5) {
                pausedAt = show->globaltime;
                held = frameOf(*show);
            } else if (turn > 5 && turn < 9) {
                EXPECT_EQ(show->globaltime, pausedAt) << "turn " << turn;
                EXPECT_EQ(differingRows(frameOf(*show), held), noRows) << "turn " << turn;
            } else if (turn == 9 || turn == 10) {
                const std::uint32_t stepped = turn == 9 ? pausedAt + nominalFrameMs : pausedAt;
                EXPECT_EQ(show->globaltime, stepped);
                EXPECT_EQ(differingRows(frameOf(*show), truthAt(stepped)), noRows) << "turn " << turn;
            } else if (turn == 13) {
                EXPECT_GT(show->globaltime, pausedAt) << "playing on";
            }
        });
}

TEST_F(PlayerInLockstep, TheBarShowsOnAMoveFadesAndAClickOnItSeeksThere)
{
    const int clickX = static_cast<int>(barXAt(150000));
    const int clickY = static_cast<int>(barTop + barHeight / 2);
    const std::uint32_t fadedAfterTurns = (barShownMs + barFadeMs) / turnMs + 1;
    std::uint32_t tickNow = 0;
    play(
        static_cast<int>((fadedAfterTurns + 4) * turnMs / mixerChunkMs) + 1,
        [&](int turn, std::uint32_t tick) {
            tickNow = tick;
            SDL_Event event = turn == 1 ? mouseMoved(5) : leftClickAt(clickX, clickY);
            if (turn == 1 || turn == 2 || turn == static_cast<int>(fadedAfterTurns) + 3) {
                SDL_PushEvent(&event);
            }
        },
        [&](int turn) {
            const auto frame = frameOf(*show);
            drawShowTurn(*show, tickNow);
            const auto withBar = readScreen();
            const auto [top, bottom] = differingRows(frame, withBar);
            if (turn == 0) {
                EXPECT_EQ(top, -1) << "no bar before the mouse moves";
            } else if (turn == 1 || turn == static_cast<int>(fadedAfterTurns) + 3) {
                EXPECT_GE(top, static_cast<int>(panelTop)) << "the bar, along the bottom";
                EXPECT_GT(bottom, static_cast<int>(barTop + barHeight)) << "its track";
            } else if (turn == 2) {
                EXPECT_EQ(show->globaltime, msAtBarX(static_cast<float>(clickX))) << "a click on the bar seeks";
            } else if (turn == static_cast<int>(fadedAfterTurns) + 2) {
                EXPECT_EQ(top, -1) << "faded";
            }
            if (turn == static_cast<int>(fadedAfterTurns) + 3) {
                EXPECT_NE(show->globaltime, msAtBarX(static_cast<float>(clickX)))
                    << "a click where the faded bar was only shows it";
            }
        });
}
