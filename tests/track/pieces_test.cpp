// The track pieces: where each holds the ball, and that their rails run on
// into the next piece.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gl_window.h"
#include "ride_geometry.h"
#include "track/pieces.h"
#include "track/track.h"

namespace {

using MakePiece = std::unique_ptr<GLObject> (*)(float, float);

template <class Piece>
std::unique_ptr<GLObject> make(float startpos, float endpos)
{
    return std::make_unique<Piece>(startpos, endpos);
}

struct Kind {
    const char* name;
    MakePiece makePiece;
    Moves cylinderFrame;  // where the kind's cylinder table is drawn from
    const std::vector<Cylinder>& cylinders;
    const Moves& farEnd;
};

const Kind& kind(int index)
{
    static const Kind kinds[] = {
        {"Straight", make<Straight>, {}, Straight::cylinders(), Straight::farEnd()},
        {"TurningL", make<TurningL>, TurningL::mirrorFrame(), TurningR::cylinders(), TurningL::farEnd()},
        {"TurningR", make<TurningR>, {}, TurningR::cylinders(), TurningR::farEnd()},
        {"TurningV", make<TurningV>, {}, TurningV::cylinders(), TurningV::farEnd()},
    };
    return kinds[index];
}
constexpr int kindCount = 4;
enum { straight, turningL, turningR, turningV };

// The piece the tests ask: the thirteenth of a track.
constexpr float pieceStart = 12;
constexpr float pieceEnd = 13;

}  // namespace

TEST(Piece, CarriesTheBallAboveItsRailsFromStartToEnd)
{
    const struct {
        int kind;
        float f;
        Point centre;
    } cases[] = {
        {straight, 0, {0, 0.6f, 0}},        {straight, 0.5f, {0, 0.6f, 1}},
        {straight, 0.9999f, {0, 0.6f, 2}},  {turningL, 0, {0.1f, 0.6f, 0}},
        {turningL, 0.5f, {0.510f, 0.6f, 0.990f}},   {turningL, 0.9999f, {1.5f, 0.6f, 1.4f}},
        {turningR, 0, {-0.1f, 0.6f, 0}},    {turningR, 0.5f, {-0.510f, 0.6f, 0.990f}},
        {turningR, 0.9999f, {-1.5f, 0.6f, 1.4f}},   {turningV, 0, {0, 0.6f, 0}},
        {turningV, 0.5f, {0, 1.010f, 0.990f}},      {turningV, 0.9999f, {0, 2, 1.4f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kind(c.kind).name) + " at " + std::to_string(c.f));
        const auto piece = kind(c.kind).makePiece(pieceStart, pieceEnd);
        glLoadIdentity();
        ASSERT_TRUE(piece->placeBall(pieceStart + c.f));
        expectNear(mapped(currentModelview(), {0, 0, 0}), c.centre, 1e-3f);
    }
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), 1) << "placing the ball pushes nothing";
}

TEST(Piece, HoldsNoBallBeforeItsStartOrFromItsEndOn)
{
    // Neither does anything that is not a piece, the track included.
    std::vector<std::unique_ptr<GLObject>> objects;
    for (int k = 0; k < kindCount; ++k) {
        objects.push_back(kind(k).makePiece(pieceStart, pieceEnd));
    }
    objects.push_back(std::make_unique<GLObject>(pieceStart, pieceEnd));
    objects.push_back(std::make_unique<Track>());
    const Matrix untouched = frameAfter({translate(1, 2, 3)});
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(i);
        for (float position : {pieceStart - 0.001f, pieceEnd, 0.0f, std::nanf("")}) {
            glLoadMatrixf(untouched.data());
            EXPECT_FALSE(objects[i]->placeBall(position)) << position;
            EXPECT_EQ(currentModelview(), untouched) << position;
        }
        glLoadIdentity();
        EXPECT_EQ(objects[i]->placeBall(pieceStart), i < kindCount);
    }
}

TEST(Piece, RailsRunOnIntoTheNextPiece)
{
    // The rails leave each piece's start at x = +-0.5 and arrive where the
    // next piece's rails begin; a chord may miss by a few thousandths.
    constexpr float halfGauge = 0.5f;
    constexpr float joinTolerance = 0.01f;
    for (int k = 0; k < kindCount; ++k) {
        const Kind& piece = kind(k);
        SCOPED_TRACE(piece.name);
        float railRadius = 0;
        for (const Cylinder& cylinder : piece.cylinders) {
            railRadius = std::max(railRadius, cylinder.radius);
        }
        std::vector<Point> railEnds;
        for (const Cylinder& cylinder : piece.cylinders) {
            if (cylinder.radius == railRadius) {
                Moves moves = piece.cylinderFrame;
                moves.insert(moves.end(), cylinder.placement.begin(), cylinder.placement.end());
                const Matrix m = frameAfter(moves);
                railEnds.push_back(mapped(m, {0, 0, 0}));
                railEnds.push_back(mapped(m, {0, 0, cylinder.length}));
            }
        }
        const Matrix next = frameAfter(piece.farEnd);
        for (float x : {-halfGauge, halfGauge}) {
            for (Point joint : {Point{x, 0, 0}, mapped(next, {x, 0, 0})}) {
                float nearest = 1e9f;
                for (Point end : railEnds) {
                    nearest = std::min(nearest, distance(end, joint));
                }
                EXPECT_LT(nearest, joinTolerance) << joint.x << ", " << joint.y << ", " << joint.z;
            }
        }
    }
}
