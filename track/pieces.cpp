#include "track/pieces.h"

#include <cmath>
#include <initializer_list>

namespace {

// The rails and their braces.
constexpr float halfGauge = 0.5f;
constexpr float railRadius = 0.05f;
constexpr float braceRadius = 0.025f;
constexpr float braceLength = 0.71f;
constexpr GLint cylinderSlices = 16;
constexpr GLint cylinderStacks = 1;

// A straight piece is two units long; a bend is built of one-unit legs and a
// 45-degree chord between them.
constexpr float straightLength = 2;
constexpr float bendLeg = 1;
constexpr float chordLength = 1.42f;
// Where the level bends put their far end: 1.5 across, 1.5 ahead.
constexpr float bendReach = 1.5f;
// The vertical bend climbs as high as a straight piece is long.
constexpr float bendRise = 2;

// The two struts of a V brace hang from the rails toward each other.
constexpr float rightStrutTilt = -135;
constexpr float leftStrutTilt = -45;
constexpr float strutAcross = 90;
// Bends turn in a 45-degree chord or a whole quarter at once.
constexpr float chordTurn = -45;
constexpr float quarterTurn = -90;
// The leg under the vertical bend's brace: from the V's apex, away from
// the bend.
constexpr float braceApexDrop = -0.5f;
constexpr float legAcross = 90;

// The ball's centre rides 0.6 above the rail line; through the bends it keeps
// to a quarter circle of radius 1.4.
constexpr float ballHeight = 0.6f;
constexpr float ballPathRadius = 1.4f;
constexpr float pi = 3.1415927f;
constexpr float halfOf = 0.5f;

// The middle of a straight piece, and of the vertical bend's ramp, which
// climbs from (0, 0, 1) to (0, 1, 2).
const Moves straightMiddle = {translate(0, 0, straightLength * halfOf)};
const Moves rampMiddle = {translate(0, bendLeg * halfOf, (bendLeg + straightLength) * halfOf), turnX(chordTurn)};

Moves followedBy(Moves moves, std::initializer_list<Move> more)
{
    moves.insert(moves.end(), more);
    return moves;
}

// The two struts of a V brace across the rails, from the frame at its middle.
std::vector<Cylinder> vBrace(const Moves& middle)
{
    return {
        {followedBy(middle, {translate(halfGauge, 0, 0), turnZ(rightStrutTilt), turnY(strutAcross)}),
         braceRadius, braceLength},
        {followedBy(middle, {translate(-halfGauge, 0, 0), turnZ(leftStrutTilt), turnY(strutAcross)}),
         braceRadius, braceLength},
    };
}

// Sine and cosine in double precision of a single-precision angle, kept as
// single precision like every other ride value.
float sinOf(float angle)
{
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}

float cosOf(float angle)
{
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

}  // namespace

void drawCylinders(GLUquadric* quadric, const Moves& frame, const std::vector<Cylinder>& cylinders)
{
    if (quadric == nullptr) {
        return;
    }
    glPushMatrix();
    applyMoves(frame);
    for (const Cylinder& cylinder : cylinders) {
        glPushMatrix();
        applyMoves(cylinder.placement);
        gluCylinder(quadric, cylinder.radius, cylinder.radius, cylinder.length, cylinderSlices,
                    cylinderStacks);
        glPopMatrix();
    }
    glPopMatrix();
}

bool moveToBall(const GLObject& piece, float position, Moves (*ballMoves)(float))
{
    const std::optional<float> f = fractionAlong(piece.startpos, piece.endpos, position);
    if (!f) {
        return false;
    }
    applyMoves(ballMoves(*f));
    return true;
}


void applyMoves(const Moves& moves)
{
    for (const Move& move : moves) {
        if (move.type == Move::Type::Translate) {
            glTranslatef(move.x, move.y, move.z);
        } else {
            glRotatef(move.angle, move.x, move.y, move.z);
        }
    }
}

std::optional<float> fractionAlong(float startpos, float endpos, float position)
{
    // Written as "not inside" so that a position that is not a number is on
    // no piece.
    if (!(endpos > position) || !(position >= startpos)) {
        return std::nullopt;
    }
    return (position - startpos) / (endpos - startpos);
}

Quadric::Quadric() : quadric_(gluNewQuadric()) {}

Quadric::~Quadric()
{
    if (quadric_ != nullptr) {
        gluDeleteQuadric(quadric_);
    }
}

RailQuadric::RailQuadric()
{
    // Without a quadric the piece simply draws no rails.
    if (quadric_ == nullptr) {
        return;
    }
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    gluQuadricNormals(quadric_, GLU_SMOOTH);
    gluQuadricOrientation(quadric_, GLU_OUTSIDE);
    gluQuadricTexture(quadric_, GL_TRUE);
}

const Moves& Straight::farEnd()
{
    static const Moves step = {translate(0, 0, straightLength)};
    return step;
}

const std::vector<Cylinder>& Straight::cylinders()
{
    static const std::vector<Cylinder> shape = [] {
        std::vector<Cylinder> rails = {
            {{translate(halfGauge, 0, 0)}, railRadius, straightLength},
            {{translate(-halfGauge, 0, 0)}, railRadius, straightLength},
        };
        for (const Cylinder& strut : vBrace(straightMiddle)) {
            rails.push_back(strut);
        }
        return rails;
    }();
    return shape;
}

Moves Straight::ballMoves(float f)
{
    return {translate(0, ballHeight, straightLength - (1 - f) * straightLength)};
}

const Moves& TurningR::farEnd()
{
    static const Moves step = {translate(-bendReach, 0, bendReach), turnY(quarterTurn)};
    return step;
}

const std::vector<Cylinder>& TurningR::cylinders()
{
    // The outer rail is rows 1, 3 and 4; the inner rail the one chord.
    static const std::vector<Cylinder> shape = {
        {{translate(halfGauge, 0, 0)}, railRadius, bendLeg},
        {{translate(-halfGauge, 0, 0), turnY(chordTurn)}, railRadius, chordLength},
        {{translate(-halfGauge, 0, 0), turnY(chordTurn), translate(chordLength, 0, 0)}, railRadius,
         chordLength},
        {{translate(-halfGauge, 0, straightLength), turnY(quarterTurn)}, railRadius, bendLeg},
    };
    return shape;
}

Moves TurningR::ballMoves(float f)
{
    const float across = ballPathRadius * cosOf(-f * pi * halfOf) - bendReach;
    const float ahead = ballPathRadius * sinOf(f * pi * halfOf);
    return {translate(0, ballHeight, 0), translate(across, 0, ahead)};
}

const Moves& TurningL::farEnd()
{
    static const Moves step = {translate(bendReach, 0, bendReach), turnY(-quarterTurn)};
    return step;
}

const Moves& TurningL::drawnFrame()
{
    static const Moves frame = {translate(bendReach, 0, bendReach), turnY(quarterTurn)};
    return frame;
}

Moves TurningL::ballMoves(float f)
{
    const float across = bendReach - ballPathRadius * cosOf(-f * pi * halfOf);
    const float ahead = ballPathRadius * sinOf(f * pi * halfOf);
    return {translate(0, ballHeight, 0), translate(across, 0, ahead)};
}

const Moves& TurningV::farEnd()
{
    static const Moves step = {translate(0, bendRise, straightLength), turnX(quarterTurn)};
    return step;
}

const std::vector<Cylinder>& TurningV::cylinders()
{
    static const std::vector<Cylinder> shape = [] {
        const Moves rise = {translate(0, bendLeg, straightLength), turnX(quarterTurn)};
        const Moves ramp = {translate(0, 0, bendLeg), turnX(chordTurn)};
        std::vector<Cylinder> rails = {
            {{translate(halfGauge, 0, 0)}, railRadius, bendLeg},
            {{translate(-halfGauge, 0, 0)}, railRadius, bendLeg},
            {followedBy(rise, {translate(halfGauge, 0, 0)}), railRadius, bendLeg},
            {followedBy(rise, {translate(-halfGauge, 0, 0)}), railRadius, bendLeg},
            {followedBy(ramp, {translate(halfGauge, 0, 0)}), railRadius, chordLength},
            {followedBy(ramp, {translate(-halfGauge, 0, 0)}), railRadius, chordLength},
        };
        for (const Cylinder& strut : vBrace(rampMiddle)) {
            rails.push_back(strut);
        }
        rails.push_back(
            {followedBy(rampMiddle, {translate(0, braceApexDrop, 0), turnX(legAcross)}), braceRadius, braceLength});
        return rails;
    }();
    return shape;
}

Moves TurningV::ballMoves(float f)
{
    const float angle = (1 - f) * -pi * halfOf;
    return {translate(0, ballPathRadius * sinOf(angle) + bendRise, ballPathRadius * cosOf(angle))};
}

