#include "tools/capture/storyboard.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "layers/xor_pattern.h"
#include "overlay/bitmap_font.h"
#include "overlay/screen.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/png_file.h"

namespace {

// A quarter of the show's screen each, four to a row, with room between
// them for the labels.
constexpr int tileWidth = screenWidth / 4;
constexpr int tileHeight = screenHeight / 4;
constexpr int columns = 4;
constexpr int tileCount = static_cast<int>(std::size(storyboardMoments));
constexpr int rows = (tileCount + columns - 1) / columns;
constexpr int gap = 8;
constexpr int labelScale = 2;
constexpr int labelHeight = glyphHeight * labelScale + gap;
constexpr int sheetWidth = columns * tileWidth + (columns + 1) * gap;
constexpr int sheetHeight = rows * (tileHeight + labelHeight) + (rows + 1) * gap;
constexpr int rgbBytes = 3;
constexpr std::uint8_t background = 24;
constexpr std::uint8_t ink = 235;

constexpr std::uint32_t msPerMinute = 60000;
constexpr std::uint32_t msPerSecond = 1000;
constexpr std::uint32_t msPerTenth = 100;

std::string timeLabel(std::uint32_t ms)
{
    char text[24];
    std::snprintf(text, sizeof text, "%u:%02u.%u", ms / msPerMinute, ms % msPerMinute / msPerSecond,
                  ms % msPerSecond / msPerTenth);
    return text;
}

class Sheet {
public:
    Sheet() : pixels_(static_cast<std::size_t>(sheetWidth) * sheetHeight * rgbBytes, background) {}

    std::uint8_t* at(int x, int y) { return &pixels_[(static_cast<std::size_t>(y) * sheetWidth + x) * rgbBytes]; }

    // The show's picture, inside the frame read back from the screen, scaled
    // down to a tile at (left, top) by averaging the pixels each tile pixel
    // covers.
    void placeFrame(const std::vector<std::uint8_t>& frame, int frameWidth, ShowViewport picture, int left, int top)
    {
        for (int y = 0; y < tileHeight; ++y) {
            const int fromRow = y * picture.height / tileHeight;
            // At least one pixel each, for pictures smaller than a tile.
            const int toRow = std::max(fromRow + 1, (y + 1) * picture.height / tileHeight);
            for (int x = 0; x < tileWidth; ++x) {
                const int fromColumn = x * picture.width / tileWidth;
                const int toColumn = std::max(fromColumn + 1, (x + 1) * picture.width / tileWidth);
                std::array<unsigned, rgbBytes> sum{};
                for (int row = fromRow; row < toRow; ++row) {
                    // Frames are read bottom up; the tile goes top down.
                    const int frameRow = picture.y + picture.height - 1 - row;
                    const std::uint8_t* pixel =
                        &frame[(static_cast<std::size_t>(frameRow) * frameWidth + picture.x + fromColumn) *
                               OffscreenScreen::bytesPerPixel];
                    for (int column = fromColumn; column < toColumn; ++column) {
                        // Blue, green, red: reversed into red, green, blue.
                        for (int channel = 0; channel < rgbBytes; ++channel) {
                            sum[static_cast<std::size_t>(channel)] += pixel[rgbBytes - 1 - channel];
                        }
                        pixel += OffscreenScreen::bytesPerPixel;
                    }
                }
                const auto covered = static_cast<unsigned>((toRow - fromRow) * (toColumn - fromColumn));
                std::uint8_t* out = at(left + x, top + y);
                for (int channel = 0; channel < rgbBytes; ++channel) {
                    out[channel] = static_cast<std::uint8_t>(sum[static_cast<std::size_t>(channel)] / covered);
                }
            }
        }
    }

    void writeLabel(const std::string& text, int left, int top)
    {
        int x = left;
        for (char character : text) {
            drawGlyph(glyphRows(character), x, top);
            x += glyphAdvance * labelScale;
        }
    }

    PixelRows rows() const { return {pixels_.data(), sheetWidth * rgbBytes, sheetWidth, sheetHeight, false}; }

private:
    void drawGlyph(const GlyphRows& glyph, int left, int top)
    {
        for (int row = 0; row < glyphHeight * labelScale; ++row) {
            for (int column = 0; column < glyphWidth * labelScale; ++column) {
                const int bit = glyphWidth - 1 - column / labelScale;
                if ((glyph[static_cast<std::size_t>(row / labelScale)] >> bit & 1) != 0) {
                    std::uint8_t* pixel = at(left + column, top + row);
                    pixel[0] = pixel[1] = pixel[2] = ink;
                }
            }
        }
    }

    std::vector<std::uint8_t> pixels_;
};

}  // namespace

std::uint32_t storyboardFrameMs(const StoryboardMoment& moment)
{
    std::uint32_t ms = moment.ms;
    if (moment.layer == Layer::XorPattern) {
        while (xorPhase(ms) == xorPhase(ms - 1)) {
            ++ms;
        }
    }
    return ms;
}

bool writeStoryboard(const std::string& path, const OffscreenScreen& screen, FrameRate rate, std::string& error)
{
    const ShowViewport picture = showViewportIn(screen.width(), screen.height());
    std::vector<std::uint8_t> frame(screen.frameBytes());
    Sheet sheet;
    CapturedShow show(rate);
    int tile = 0;
    for (const StoryboardMoment& moment : storyboardMoments) {
        // The clock's first frame at the moment or after it, so the state
        // runs exactly through the clock's frames.
        show.catchUpTo(storyboardFrameMs(moment));
        const std::uint32_t ms = show.drawNextFrame();
        screen.read(frame.data());
        const int left = gap + tile % columns * (tileWidth + gap);
        const int top = gap + tile / columns * (tileHeight + labelHeight + gap);
        sheet.placeFrame(frame, screen.width(), picture, left, top);
        sheet.writeLabel(timeLabel(ms), left, top + tileHeight + gap / 2);
        ++tile;
    }
    return writePng(path, sheet.rows(), PngEffort::Small, error);
}
