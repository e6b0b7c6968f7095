// The track: laying from the layout, the chain of pieces end to end through
// the whole layout, and what drawing it does to the matrix stack.
#include <gtest/gtest.h>

#include <string>

#include "gl_window.h"
#include "ride_geometry.h"
#include "track/track.h"

namespace {

void layWholeLayout(Track& track)
{
    for (const char* c = TrackLayout; *c != '\0'; ++c) {
        track.addPiece(*c);
    }
}

// Clears any error a test provoked on purpose and goes back to one level.
void restoreModelviewStack()
{
    while (integerState(GL_MODELVIEW_STACK_DEPTH) > 1) {
        glPopMatrix();
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    glLoadIdentity();
}

}  // namespace

TEST(Track, LaysOnePieceAfterAnotherForLayoutCharactersOnly)
{
    Track track;
    EXPECT_TRUE(track.pieces().empty());
    for (char other : std::string(" aJ|x/\\Lj\n")) {
        track.addPiece(other);
    }
    // Pieces follow on without gaps whatever was skipped between them.
    const std::vector<PieceKind> expected = {PieceKind::Straight, PieceKind::TurningR, PieceKind::TurningL,
                                             PieceKind::TurningV};
    ASSERT_EQ(track.kinds(), expected);
    ASSERT_EQ(track.pieces().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(track.pieces()[i]->startpos, static_cast<float>(i));
        EXPECT_EQ(track.pieces()[i]->endpos, static_cast<float>(i + 1));
    }
}

TEST(Track, ChainsTheWholeLayoutEndToEndThroughItsLoops)
{
    Track track;
    layWholeLayout(track);
    ASSERT_EQ(track.pieces().size(), 130u);
    const struct {
        std::size_t laid;
        Point end;
        Point heading;
        Point up;
    } checkpoints[] = {
        {1, {0, 0, 2}, {0, 0, 1}, {0, 1, 0}},
        {9, {-3.5f, 0, 4.5f}, {1, 0, 0}, {0, 1, 0}},
        {11, {-3.5f, 4, 4.5f}, {-1, 0, 0}, {0, -1, 0}},  // the first half loop: upside down
        {130, {-27.5f, -14, -4.5f}, {-1, 0, 0}, {0, 1, 0}},
    };
    Point low{0, 0, 0}, high{0, 0, 0};
    glLoadIdentity();
    for (std::size_t i = 0; i < track.kinds().size(); ++i) {
        const Point start = mapped(currentModelview(), {0, 0, 0});
        low = {std::min(low.x, start.x), std::min(low.y, start.y), std::min(low.z, start.z)};
        high = {std::max(high.x, start.x), std::max(high.y, start.y), std::max(high.z, start.z)};
        applyMoves(stepAlong(track.kinds()[i]));
        for (const auto& c : checkpoints) {
            if (c.laid == i + 1) {
                SCOPED_TRACE(c.laid);
                const Matrix m = currentModelview();
                expectNear(mapped(m, {0, 0, 0}), c.end, 1e-3f);
                expectNear(mapped(m, {0, 0, 1}, 0), c.heading, 1e-4f);
                expectNear(mapped(m, {0, 1, 0}, 0), c.up, 1e-4f);
            }
        }
    }
    glLoadIdentity();
    expectNear(low, {-34.5f, -14, -4.5f}, 1e-3f);
    expectNear(high, {8, 4, 14.5f}, 1e-3f);
}

TEST(Track, DrawingNeedsAtMostFourMoreMatrixLevelsAndLeavesTheMatrixAsFound)
{
    // Drawn at the top of a stack with exactly that much room left, the
    // track must not overflow it; with one level less it must.
    const int deepest = integerState(GL_MAX_MODELVIEW_STACK_DEPTH);
    const auto drawWithRoom = [deepest](Track& track, int room) {
        while (integerState(GL_MODELVIEW_STACK_DEPTH) < deepest - room) {
            glPushMatrix();
        }
        glTranslatef(-10, -3, -50);
        const Matrix before = currentModelview();
        track.draw();
        const GLenum error = glGetError();
        const bool sameMatrix = currentModelview() == before;
        const bool sameDepth = integerState(GL_MODELVIEW_STACK_DEPTH) == deepest - room;
        restoreModelviewStack();
        return error == GL_NO_ERROR && sameMatrix && sameDepth;
    };
    Track empty;
    EXPECT_TRUE(drawWithRoom(empty, 1)) << "an empty track only brackets itself";
    Track full;
    layWholeLayout(full);
    for (float progress : {0.0f, 0.5f, 1.0f}) {
        SCOPED_TRACE(progress);
        full.progress = progress;
        EXPECT_TRUE(drawWithRoom(full, 4));
        EXPECT_FALSE(drawWithRoom(full, 3));
    }
    expectDrawerLeftStateClean();
}
