// The show's own small lettering, for what it writes on the screen itself
// (the player's bar and its keys) and on the capture's storyboard: 5 x 7
// pixel capitals, digits and a few signs, each glyph pixel drawn as a square
// of any whole size. Lower-case letters are written as capitals.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int glyphWidth = 5;
constexpr int glyphHeight = 7;
// From one glyph's left edge to the next one's: a pixel of space between.
constexpr int glyphAdvance = glyphWidth + 1;

// A glyph's rows, top down, the leftmost pixel in the highest of five bits.
using GlyphRows = std::array<std::uint8_t, glyphHeight>;

// The glyph of a character; a character the lettering lacks is blank.
GlyphRows glyphRows(char character);

// The width of a line of text at a scale, in pixels, without the space
// after its last glyph.
int textWidth(const std::string& text, int scale);

// A line of text in the current colour, its top left corner at (x, y) in
// the show's 2D state; leaves the modelview as found.
void drawText(const std::string& text, float x, float y, int scale);
