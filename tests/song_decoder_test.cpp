// The song's index on made-up frames, and the show's decoder on the real
// song: its loop, its seeks and the heard music against a straight play.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/audio.h"
#include "straight_song.h"

namespace {

TEST(SongIndex, FeedsASeekTheFramesItsMainDataAndItsNeighboursReachInto)
{
    const std::vector<int> bytes = {100, 100, 100, 100};
    EXPECT_EQ(reservoirReach(bytes, 3, 100), 1) << "exactly the frame before";
    EXPECT_EQ(reservoirReach(bytes, 3, 101), 2);
    EXPECT_EQ(reservoirReach(bytes, 1, maxMainDataBegin), 1) << "nothing before the first frame";

    // Frame 5's main data begins 3 frames back, in frame 2.
    const std::vector<int> reach = {0, 1, 1, 1, 1, 3, 1, 1};
    EXPECT_EQ(prerollFor(reach, 0), 0) << "the song's start needs nothing";
    EXPECT_EQ(prerollFor(reach, 4), 2) << "frame 5, after the target, reaches only as far";
    EXPECT_EQ(prerollFor(reach, 6), 4) << "the frame before the target reaches 3 back";
    EXPECT_EQ(prerollFor(reach, reach.size()), 2) << "the start again, after the loop";
}

TEST(SongDecoder, LoopsAfterEveryFrameAndSeeksPlayExactlyAsAStraightPlayAtTheSongsEdges)
{
    const StraightSong& straight = straightSong();
    const SongIndex& index = straight.index();
    SongDecoder decoder(musicBlock(), index);
    const std::size_t frames = index.frameOffsets.size();
    // The longest pre-roll is in the quiet end, where frames are short.
    const auto longest = std::max_element(index.prerollFrames.begin(), index.prerollFrames.end());
    const std::size_t targets[] = {0, 1, 2, 5000, static_cast<std::size_t>(longest - index.prerollFrames.begin()),
                                   frames - 1};
    constexpr std::uint64_t intoFrame = 700;
    constexpr std::uint64_t checked = 4 * mp3SamplesPerFrame;
    std::vector<std::int16_t> played(2 * checked);
    for (std::size_t frame : targets) {
        for (std::uint64_t at : {frame * mp3SamplesPerFrame, frame * mp3SamplesPerFrame + intoFrame}) {
            decoder.seek(at, false);
            decoder.render(played.data(), checked);
            EXPECT_TRUE(straight.matches(played.data(), at, checked)) << "sample " << at << ", frame " << frame;
        }
    }
    const std::uint64_t loop = straight.loopLength();
    decoder.seek(0, true);
    decoder.render(played.data(), checked);
    EXPECT_TRUE(straight.matches(played.data(), loop, checked)) << "the start after a loop";
    EXPECT_EQ(decoder.failedFrames(), 0);
}

TEST(HeardMusic, IsTheSongHeardDelayLaterWhereverTheSpanStartsAndEnds)
{
    const StraightSong& straight = straightSong();
    const std::uint64_t delay = sampleAtMs(heardDelayMs);
    const std::uint32_t loopMs = static_cast<std::uint32_t>(msAtSample(straight.loopLength()));
    constexpr std::uint32_t spanMs = 1500;
    for (std::uint32_t fromMs : {0u, 200u, 111000u, loopMs - 500, loopMs + 400, 3 * loopMs}) {
        const std::vector<std::int16_t> heard = renderHeardMusic(musicBlock(), fromMs, fromMs + spanMs);
        const std::uint64_t from = sampleAtMs(fromMs);
        const std::uint64_t to = sampleAtMs(fromMs + spanMs);
        ASSERT_EQ(heard.size(), 2 * (to - from)) << fromMs;
        const std::uint64_t silent = std::min(std::max(delay, from), to) - from;
        EXPECT_TRUE(std::all_of(heard.begin(), heard.begin() + 2 * silent, [](std::int16_t s) { return s == 0; }))
            << "before the music is heard, from " << fromMs;
        EXPECT_TRUE(straight.matches(heard.data() + 2 * silent, from + silent - delay, to - from - silent))
            << "from " << fromMs;
    }
    EXPECT_TRUE(renderHeardMusic(musicBlock(), 5000, 5000).empty());
}

}  // namespace
