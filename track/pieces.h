// The pieces of the ride's track: red rails of GLU cylinders, each drawn in
// its own frame (origin at the start of the piece on its centre line, +Z
// forward, +Y the ball's side, rails at x = +-0.5), and the ball's place on
// each. The shapes are tables of matrix moves, so the drawing and the tests
// share one description of every piece.
#pragma once

#include <SDL_opengl.h>

#include <optional>
#include <vector>

// One matrix step as glTranslatef or glRotatef applies it: in the frame left
// by the steps before it.
struct Move {
    enum class Type { Translate, Rotate };
    Type type;
    float angle;  // degrees, counter-clockwise looking down the axis
    float x, y, z;  // the offset, or the axis of the turn
};

using Moves = std::vector<Move>;

constexpr Move translate(float x, float y, float z)
{
    return {Move::Type::Translate, 0, x, y, z};
}
constexpr Move turnX(float angle)
{
    return {Move::Type::Rotate, angle, 1, 0, 0};
}
constexpr Move turnY(float angle)
{
    return {Move::Type::Rotate, angle, 0, 1, 0};
}
constexpr Move turnZ(float angle)
{
    return {Move::Type::Rotate, angle, 0, 0, 1};
}

// Multiplies the moves onto the current matrix, in order.
void applyMoves(const Moves& moves);

// A rail or brace: a cylinder along the +Z of the frame its placement leads
// to, from z = 0 to z = length.
struct Cylinder {
    Moves placement;
    float radius;
    float length;
};

// Where along the piece [startpos, endpos) a ride position lies, 0 to below
// 1; nothing when it lies on another piece (endpos itself is the next one's).
std::optional<float> fractionAlong(float startpos, float endpos, float position);

// Everything the ride draws. The base draws nothing and holds no ball.
class GLObject {
public:
    GLObject(float startpos, float endpos) : endpos(endpos), startpos(startpos) {}
    virtual ~GLObject() = default;

    // Draws in the current modelview and leaves it as found.
    virtual void draw() const {}
    // If the ride position lies on this object, moves the current matrix to
    // the ball's centre and answers true; otherwise changes nothing.
    virtual bool placeBall(float /*position*/) const { return false; }

    const float endpos;    // the ride position just past the object
    const float startpos;  // the ride position where it begins
};

// A GLU quadric of its owner's, released with it; nullptr if GLU could not
// make one, and then nothing is drawn with it.
class Quadric {
public:
    Quadric();
    ~Quadric();
    Quadric(const Quadric&) = delete;
    Quadric& operator=(const Quadric&) = delete;

    GLUquadric* get() const { return quadric_; }

protected:
    GLUquadric* quadric_;
};

// A piece's own quadric, set up for the rails.
class RailQuadric : public Quadric {
public:
    RailQuadric();
};

// Draws the cylinders with the quadric (nothing without one), in the frame
// the moves lead to; leaves the matrix as found.
void drawCylinders(GLUquadric* quadric, const Moves& frame, const std::vector<Cylinder>& cylinders);

// If the ride position lies on the piece, moves the current matrix to the
// ball's centre by the piece's ball moves and answers true.
bool moveToBall(const GLObject& piece, float position, Moves (*ballMoves)(float));

// What every piece shares: a quadric of its own, its rails drawn from its
// shape's cylinder table, and the ball placed by its shape's ball moves. A
// shape gives farEnd() (from the piece's start to where the next begins,
// heading on along the track), cylinders() and ballMoves(f) (from the start
// to the ball's centre at fraction f), and may draw its cylinders from
// another frame than its start.
template <class Shape>
class RailPiece : public GLObject {
public:
    RailPiece(float startpos, float endpos) : GLObject(startpos, endpos) {}
    void draw() const override { drawCylinders(quadric.get(), Shape::drawnFrame(), Shape::cylinders()); }
    bool placeBall(float position) const override { return moveToBall(*this, position, Shape::ballMoves); }

    static const Moves& drawnFrame()
    {
        static const Moves start;
        return start;
    }

    RailQuadric quadric;
};

// Two rails of length 2 with a V brace under them at mid-length.
class Straight : public RailPiece<Straight> {
public:
    using RailPiece::RailPiece;
    static const Moves& farEnd();
    static const std::vector<Cylinder>& cylinders();
    static Moves ballMoves(float f);
};

// A level quarter bend toward -X, ending at (-1.5, 0, 1.5): the inner rail
// one chord, the outer rail three segments.
class TurningR : public RailPiece<TurningR> {
public:
    using RailPiece::RailPiece;
    static const Moves& farEnd();
    static const std::vector<Cylinder>& cylinders();
    static Moves ballMoves(float f);
};

// A level quarter bend toward +X, ending at (1.5, 0, 1.5). It is a right bend
// seen from its far end: the right bend's cylinders, drawn from there.
class TurningL : public RailPiece<TurningL> {
public:
    using RailPiece::RailPiece;
    static const Moves& farEnd();
    static const std::vector<Cylinder>& cylinders() { return TurningR::cylinders(); }
    static const Moves& drawnFrame();
    static Moves ballMoves(float f);
};

// A quarter bend toward the ball's side, ending at (0, 2, 2) heading +Y; two
// in a row make a half loop.
class TurningV : public RailPiece<TurningV> {
public:
    using RailPiece::RailPiece;
    static const Moves& farEnd();
    static const std::vector<Cylinder>& cylinders();
    static Moves ballMoves(float f);
};
