// The singer: her mouth on every sung syllable's edges, the hearts, spins,
// pulse and fade at their edges, and what the screen shows of them.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "layers/singer.h"
#include "layers/singer_cues.h"
#include "gl_window.h"

namespace {

bool isRed(std::array<std::uint8_t, 3> rgb)
{
    return rgb[0] > 180 && rgb[1] < 80 && rgb[2] < 80;
}

}  // namespace

TEST(Singer, MouthOpensOnEverySyllableAndClosesAfterIt)
{
    for (const TimeWindow& s : singerSyllables) {
        EXPECT_TRUE(!mouthOpenAt(s.after) && mouthOpenAt(s.after + 1) && mouthOpenAt(s.until) &&
                    !mouthOpenAt(s.until + 1))
            << s.after;
    }
}

TEST(Singer, HeartSpinsPulseAndFadeKeepToTheirEdges)
{
    const struct {
        std::uint32_t t;
        bool heart;
        float spin, brightness;
    } cases[] = {{88156, false, 0, 1},   {88157, true, 0, 1},    {98000, false, 0, 1},
                 {98001, false, 0.72f, 1}, {98500, false, 360, 1}, {98501, false, 0, 1},
                 {100365, false, 0, 1},  {100366, true, 0, 1},   {100496, true, 0, 1},
                 {100497, false, 0, 1},  {110001, false, 0, 254.0f / 255}, {111000, false, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(heartShownAt(c.t), c.heart) << c.t;
        EXPECT_FLOAT_EQ(singerSpinDegrees(c.t), c.spin) << c.t;
        EXPECT_FLOAT_EQ(singerBrightness(c.t), c.brightness) << c.t;
    }
    EXPECT_FLOAT_EQ(singerGrowth(98000), 1) << "the pulse takes hold only after it";
    EXPECT_FLOAT_EQ(singerGrowth(98001), 1 + 62.0f / 750);
}

TEST(Singer, ScreenShowsTheMouthAndTheFadeToBlack)
{
    const auto closed = drawLayerAlone(Layer::Singer, 86278);
    EXPECT_EQ(drawLayerAlone(Layer::Singer, 85877), closed);
    EXPECT_NE(drawLayerAlone(Layer::Singer, 85878), closed) << "open";
    EXPECT_TRUE(isRed(pixelIn(drawLayerAlone(Layer::Singer, 110000), 500, 120))) << "her hat before the fade";
    EXPECT_TRUE(allBlack(drawLayerAlone(Layer::Singer, 111000)));
    // In the whole frame, her hat, well below the first frames' snow.
    for (const auto& [t, shown] : {std::pair{85000u, false}, {85001u, true}}) {
        drawFrameAt(t);
        EXPECT_EQ(isRed(pixelAt(500, 120)), shown) << t;
    }
}
