// The show on one sheet: a frame for every layer of the timeline at a
// moment that shows it well, in the order they come, each scaled down and
// labelled with its time (minutes, seconds and tenths).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "app/show_layers.h"
#include "tools/capture/offscreen.h"

struct StoryboardMoment {
    Layer layer;
    std::uint32_t ms;
};

// Every layer at the moment that pictures it (its row in the script), in
// the order they come in the show.
inline constexpr std::array<StoryboardMoment, layerCount> storyboardMoments = [] {
    std::array<StoryboardMoment, layerCount> moments{};
    for (std::size_t i = 0; i < layerCount; ++i) {
        StoryboardMoment moment{showLayers[i].layer, showLayers[i].picturedAt};
        std::size_t at = i;
        for (; at > 0 && moments[at - 1].ms > moment.ms; --at) {
            moments[at] = moments[at - 1];
        }
        moments[at] = moment;
    }
    return moments;
}();

// The moment at which the layer shows, at or after the one in the table.
std::uint32_t storyboardFrameMs(const StoryboardMoment& moment);

// Draws the frames, the capture clock's first at or after each moment, as
// that clock at the given rate would have reached them from the show's
// start, on the screen (of any size: the 4:3
// picture inside is what the sheet keeps), and writes the sheet. False,
// with why in error, if it cannot be written.
bool writeStoryboard(const std::string& path, const OffscreenScreen& screen, FrameRate rate, std::string& error);
