// The player's bar over the show: where the show is and how long it lasts,
// the script's layers as segments with the one on screen named, and whether
// it is paused; and, on a key, the player's keys. The show loop draws them
// over a frame once the frame itself is drawn, so that no capture, frame
// digest or storyboard ever holds them. Their arithmetic (the bar's
// geometry, its times and names, its fading) is apart from the drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/show_layers.h"

// When the bar shows, in ticks of the wall clock (a paused show's time
// stands still): from a mouse move, a seek or a pause, for barShownMs, then
// fading out over barFadeMs; for as long as the show is paused.
struct PlayerControls {
    bool shown = false;
    std::uint32_t shownAt = 0;
    // The keys are on the screen, until asked away.
    bool keysShown = false;
    // The mouse pointer shows, with the player.
    bool pointerShown = false;
    // The window has reported where the pointer is: SDL's first motion
    // places it (from the window's corner), and only later ones move it.
    bool pointerPlaced = false;

    void show(std::uint32_t now)
    {
        shown = true;
        shownAt = now;
    }
};

constexpr std::uint32_t barShownMs = 2000;
constexpr std::uint32_t barFadeMs = 500;

// How opaque the bar is at tick now: 1 while shown, down to 0 as it fades.
float barOpacity(const PlayerControls& controls, std::uint32_t now, bool paused);

// The bar in show pixels: the track from barLeft to barRight, whose width
// stands for the script from 0 to showEndMs.
constexpr float barLeft = 48;
constexpr float barRight = 976;
constexpr float barTop = 726;
constexpr float barHeight = 12;
// The panel behind the bar and its lines of text, to the screen's bottom.
constexpr float panelTop = 688;

// Where show time ms lies on the track (the end of it, after the script).
float barXAt(std::uint64_t ms);
// The show time at x on the track, for a click there.
std::uint32_t msAtBarX(float x);
// Whether a click at show pixel (x, y) falls on the bar: its track, widened
// to a height a finger can hit.
bool onBar(float x, float y);

// A show time as minutes and seconds, "m:ss".
std::string clockText(std::uint64_t ms);

// The layer the bar names at t: of those on screen, the one with the
// shortest window (the singer rather than the snow falling over her, the
// caption rather than the title under it); none after the script.
const ShowLayer* layerNamedAt(std::uint32_t t);

// A layer's name as words: "OpeningTitles" is "Opening titles".
std::string layerWords(const char* name);

// Where the bar's segments begin: every moment a layer comes on, in order,
// the first at 0.
std::vector<std::uint32_t> segmentStarts();

// What the bar shows.
struct BarView {
    std::uint64_t showMs;
    bool paused;
    bool muted;
    float opacity;
};

// The bar, over whatever the frame drew; leaves the show's 2D state.
void drawPlayerBar(const BarView& view);

// The player's keys in a panel in the middle of the screen.
void drawPlayerKeys();
