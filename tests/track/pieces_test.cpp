// The track pieces: where each holds the ball, and that their rails run on
// into the next piece.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "gl_window.h"
#include "ride_geometry.h"
#include "track/pieces.h"

namespace {

// The thirteenth piece of a track, where every kind is asked for the ball.
constexpr float start = 12;
constexpr float end = 13;

// Where the ball is asked for: at the start, halfway and just before the end.
constexpr float fractions[] = {0, 0.5f, 0.9999f};

struct Kind {
    const char* name;
    std::unique_ptr<GLObject> piece;
    Moves cylinderFrame;  // where the kind's cylinder table is drawn from
    const std::vector<Cylinder>& cylinders;
    const Moves& farEnd;
    Point ballCentres[std::size(fractions)];
};

// Built on first use: the tables it refers to are themselves built then.
const std::array<Kind, 4>& kinds()
{
    static const std::array<Kind, 4> table = {{
        {"Straight", std::make_unique<Straight>(start, end), {}, Straight::cylinders(), Straight::farEnd(),
         {{0, 0.6f, 0}, {0, 0.6f, 1}, {0, 0.6f, 2}}},
        {"TurningL", std::make_unique<TurningL>(start, end), TurningL::drawnFrame(), TurningL::cylinders(),
         TurningL::farEnd(), {{0.1f, 0.6f, 0}, {0.510f, 0.6f, 0.990f}, {1.5f, 0.6f, 1.4f}}},
        {"TurningR", std::make_unique<TurningR>(start, end), {}, TurningR::cylinders(), TurningR::farEnd(),
         {{-0.1f, 0.6f, 0}, {-0.510f, 0.6f, 0.990f}, {-1.5f, 0.6f, 1.4f}}},
        {"TurningV", std::make_unique<TurningV>(start, end), {}, TurningV::cylinders(), TurningV::farEnd(),
         {{0, 0.6f, 0}, {0, 1.010f, 0.990f}, {0, 2, 1.4f}}},
    }};
    return table;
}

}  // namespace

TEST(Piece, CarriesTheBallAboveItsRailsFromItsStartToJustBeforeItsEnd)
{
    // Off the piece, the matrix must stay as it was.
    const Matrix identity = frameAfter({});
    for (const Kind& kind : kinds()) {
        for (std::size_t i = 0; i < std::size(fractions); ++i) {
            SCOPED_TRACE(std::string(kind.name) + " at " + std::to_string(fractions[i]));
            glLoadIdentity();
            ASSERT_TRUE(kind.piece->placeBall(start + fractions[i]));
            expectNear(mapped(currentMatrix(), {0, 0, 0}), kind.ballCentres[i], 1e-3f);
        }
        for (float off : {start - 0.001f, end, std::nanf("")}) {
            glLoadIdentity();
            EXPECT_FALSE(kind.piece->placeBall(off)) << kind.name << " at " << off;
            EXPECT_EQ(currentMatrix(), identity) << kind.name << " at " << off;
        }
    }
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), 1) << "placing the ball pushes nothing";
}

TEST(Piece, RailsRunOnIntoTheNextPiece)
{
    // Rails leave each piece's start at x = +-0.5 and end where the next
    // piece's rails begin; a chord may miss by a few thousandths.
    constexpr float halfGauge = 0.5f;
    constexpr float joinTolerance = 0.01f;
    for (const Kind& piece : kinds()) {
        SCOPED_TRACE(piece.name);
        std::vector<Point> ends;
        for (const Cylinder& cylinder : piece.cylinders) {
            Moves moves = piece.cylinderFrame;
            moves.insert(moves.end(), cylinder.placement.begin(), cylinder.placement.end());
            ends.push_back(mapped(frameAfter(moves), {0, 0, 0}));
            ends.push_back(mapped(frameAfter(moves), {0, 0, cylinder.length}));
        }
        for (float x : {-halfGauge, halfGauge}) {
            for (Point joint : {Point{x, 0, 0}, mapped(frameAfter(piece.farEnd), {x, 0, 0})}) {
                EXPECT_TRUE(std::any_of(ends.begin(), ends.end(), [joint](Point e) {
                    return std::hypot(e.x - joint.x, e.y - joint.y, e.z - joint.z) < joinTolerance;
                })) << joint.x << ", " << joint.y << ", " << joint.z;
            }
        }
    }
}
