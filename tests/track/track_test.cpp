// The track: laying from the layout, the chain of pieces end to end through
// the whole layout, and what drawing it does to the matrix stack.
#include <gtest/gtest.h>

#include <string>

#include "gl_window.h"
#include "ride_geometry.h"
#include "track/track.h"

TEST(Track, ChainsTheWholeLayoutEndToEndAndDrawsItAtMostFourMatrixLevelsDeeper)
{
    // Anything but a layout character lays nothing and leaves no gap.
    Track track;
    for (const char* c = TrackLayout; *c != '\0'; ++c) {
        track.addPiece(*c);
        for (char other : std::string(" aJxL\n")) {
            track.addPiece(other);
        }
    }
    ASSERT_EQ(track.pieces().size(), std::size(TrackLayout) - 1);
    const struct {
        std::size_t laid;
        Point end, heading, up;
    } checkpoints[] = {
        {9, {-3.5f, 0, 4.5f}, {1, 0, 0}, {0, 1, 0}},
        {11, {-3.5f, 4, 4.5f}, {-1, 0, 0}, {0, -1, 0}},  // the first half loop: upside down
        {130, {-27.5f, -14, -4.5f}, {-1, 0, 0}, {0, 1, 0}},
    };
    glLoadIdentity();
    for (std::size_t i = 0; i < track.kinds().size(); ++i) {
        EXPECT_EQ(track.pieces()[i]->startpos, static_cast<float>(i));
        EXPECT_EQ(track.pieces()[i]->endpos, static_cast<float>(i + 1));
        applyMoves(stepAlong(track.kinds()[i]));
        for (const auto& c : checkpoints) {
            if (c.laid == i + 1) {
                SCOPED_TRACE(c.laid);
                const Matrix m = currentMatrix();
                expectNear(mapped(m, {0, 0, 0}), c.end, 1e-3f);
                expectNear(mapped(m, {0, 0, 1}, 0), c.heading, 1e-4f);
                expectNear(mapped(m, {0, 1, 0}, 0), c.up, 1e-4f);
            }
        }
    }
    // Drawn with only that much room left on the stack, with the ball on a
    // piece halfway, it must not overflow and must leave the matrix as found.
    constexpr int room = 4;
    const int depth = integerState(GL_MAX_MODELVIEW_STACK_DEPTH) - room;
    while (integerState(GL_MODELVIEW_STACK_DEPTH) < depth) {
        glPushMatrix();
    }
    track.progress = 0.5f;
    const Matrix before = currentMatrix();
    track.draw();
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(currentMatrix(), before);
    while (integerState(GL_MODELVIEW_STACK_DEPTH) > 1) {
        glPopMatrix();
    }
    glLoadIdentity();
    expectDrawerLeftStateClean();
}
