// The show's script at a glance: every window of globaltime in which
// something is on screen, one row per layer, in the order the frame paints
// them, back to front (a later row covers an earlier one where both show).
// A window {after, until} draws from after + 1 to until; windows that fall
// on the song's beat are written in beats. The song's tools and the tests
// read this table too, so nothing else writes these times down.
#pragma once

#include <cstddef>
#include <iterator>

#include "timeline/beat.h"

enum class Layer {
    Ride,             // the track laid on the beat, then ridden by the ball (3D)
    OpeningTitles,    // seven title cards, sixteen beats each
    EmblemOrbit,      // the group's emblem orbits in
    TitleDance,       // the title screen with the dancing Santa
    HandOverCaption,  // three flashes of the caption that hands over to the singer
    Singer,           // the lip-synced singer
    Snow,             // falling snow, over everything of its time
    XorPattern,       // the flickering exclusive-or pattern
    Greetings,        // greetings pages over the pattern
    HeartChase,       // the heart chase in three passes
    RetroBanner,      // the banner that drops through
    RetroComputer,    // the 8-bit computer loading the show
    Credits,          // five credits cards
    ClosingCard,      // the emblem with its slogan, to the end
};

struct Scheduled {
    Layer layer;
    TimeWindow window;
};

inline constexpr Scheduled timeline[] = {
    {Layer::Ride,            {beforeTheShow, 74000}},
    {Layer::OpeningTitles,   {0, beats(112)}},
    {Layer::EmblemOrbit,     {68000, 73999}},
    {Layer::TitleDance,      {74000, 85000}},
    {Layer::HandOverCaption, {81875, 83000}},
    {Layer::Singer,          {85000, 111000}},
    {Layer::Snow,            {beats(96), beats(296)}},
    {Layer::XorPattern,      {beats(296), beats(311)}},
    {Layer::Greetings,       {beats(296), beats(311) - 1}},
    {Layer::HeartChase,      {beats(311), beats(408) - 1}},
    {Layer::RetroBanner,     {beats(408), 156999}},
    {Layer::RetroComputer,   {157000, 183499}},
    {Layer::Credits,         {183500, 198500}},
    {Layer::ClosingCard,     {198500, 318500}},
};

// Moments inside the ride: the track's last piece is laid on this beat, and
// the ball arrives at the track's end here.
constexpr std::uint32_t trackLaidMs = beats(130);
constexpr std::uint32_t ballArrivesMs = 68000;

// The layer's name as written above, for what the tools print.
constexpr const char* layerName(Layer layer)
{
    switch (layer) {
    case Layer::Ride: return "Ride";
    case Layer::OpeningTitles: return "OpeningTitles";
    case Layer::EmblemOrbit: return "EmblemOrbit";
    case Layer::TitleDance: return "TitleDance";
    case Layer::HandOverCaption: return "HandOverCaption";
    case Layer::Singer: return "Singer";
    case Layer::Snow: return "Snow";
    case Layer::XorPattern: return "XorPattern";
    case Layer::Greetings: return "Greetings";
    case Layer::HeartChase: return "HeartChase";
    case Layer::RetroBanner: return "RetroBanner";
    case Layer::RetroComputer: return "RetroComputer";
    case Layer::Credits: return "Credits";
    case Layer::ClosingCard: return "ClosingCard";
    }
    return "";
}

// How many rows the table has for a layer.
constexpr int rowsOf(Layer layer)
{
    int rows = 0;
    for (const Scheduled& row : timeline) {
        rows += row.layer == layer ? 1 : 0;
    }
    return rows;
}

constexpr bool everyLayerOnce()
{
    for (const Scheduled& row : timeline) {
        if (rowsOf(row.layer) != 1) {
            return false;
        }
    }
    return std::size(timeline) == static_cast<std::size_t>(Layer::ClosingCard) + 1;
}
static_assert(everyLayerOnce(), "one row for every layer");

// The window of a layer in the table.
constexpr TimeWindow windowOf(Layer layer)
{
    for (const Scheduled& row : timeline) {
        if (row.layer == layer) {
            return row.window;
        }
    }
    return {};
}

// The last moment any layer is on screen: later frames show nothing new.
constexpr std::uint32_t showEndMs = [] {
    std::uint32_t last = 0;
    for (const Scheduled& row : timeline) {
        last = row.window.until > last ? row.window.until : last;
    }
    return last;
}();

// Whether a layer paints first at every moment of its window: no row before
// it in the table shows then, so it always draws on the cleared screen.
constexpr bool paintsFirst(Layer layer)
{
    const TimeWindow own = windowOf(layer);
    for (const Scheduled& row : timeline) {
        if (row.layer == layer) {
            return true;
        }
        // Two windows share a moment when one opens inside the other.
        if (row.window.contains(own.after + 1) || own.contains(row.window.after + 1)) {
            return false;
        }
    }
    return false;
}
