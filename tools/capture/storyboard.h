// The show on one sheet: a frame for every layer of the timeline at a
// moment that shows it well, in the order they come, each scaled down and
// labelled with its time (minutes, seconds and tenths).
#pragma once

#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "timeline/timeline.h"
#include "tools/capture/offscreen.h"

struct StoryboardMoment {
    Layer layer;
    std::uint32_t ms;
};

inline constexpr StoryboardMoment storyboardMoments[] = {
    {Layer::OpeningTitles, 3000},     // the first card: the group
    {Layer::Snow, 39000},             // the aside that calls for snow, over the track being laid
    {Layer::Ride, 58000},             // the ball riding the laid track, seen from above
    {Layer::EmblemOrbit, 71000},
    {Layer::TitleDance, 78000},
    {Layer::HandOverCaption, 82000},  // inside the second flash
    {Layer::Singer, 95000},
    {Layer::XorPattern, 113900},      // moved on to the next step of the pattern, the only frames it shows on
    {Layer::Greetings, 115000},
    {Layer::HeartChase, 134800},      // the middle pass: Santa chased across the white screen
    {Layer::RetroBanner, 155000},
    {Layer::RetroComputer, 175000},
    {Layer::Credits, 190000},
    {Layer::ClosingCard, 250000},
};

constexpr bool storyboardCoversTheTimeline()
{
    std::uint32_t previous = 0;
    for (const StoryboardMoment& moment : storyboardMoments) {
        int rows = 0;
        for (const StoryboardMoment& other : storyboardMoments) {
            rows += other.layer == moment.layer ? 1 : 0;
        }
        if (rows != 1 || !windowOf(moment.layer).contains(moment.ms) || moment.ms < previous) {
            return false;
        }
        previous = moment.ms;
    }
    return std::size(storyboardMoments) == std::size(timeline);
}
static_assert(storyboardCoversTheTimeline(), "one moment per layer, inside its window, in show order");

// The moment at which the layer shows, at or after the one in the table.
std::uint32_t storyboardFrameMs(const StoryboardMoment& moment);

// Draws the frames, the capture clock's first at or after each moment, as
// that clock at the given rate would have reached them from the show's
// start, on the screen (of any size: the 4:3
// picture inside is what the sheet keeps), and writes the sheet. False,
// with why in error, if it cannot be written.
bool writeStoryboard(const std::string& path, const OffscreenScreen& screen, FrameRate rate, std::string& error);
