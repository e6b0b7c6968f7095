#include "track/track.h"

#include <algorithm>

namespace {

constexpr GLfloat railRed[3] = {1, 0, 0};
constexpr GLfloat ballBlue[3] = {0.3f, 0.6f, 1};
constexpr GLint sphereSlices = 16;
constexpr GLint sphereStacks = 16;

}  // namespace

std::optional<PieceKind> pieceKindFor(char c)
{
    switch (c) {
    case 'j':
        return PieceKind::TurningV;
    case '|':
        return PieceKind::Straight;
    case '\\':
        return PieceKind::TurningL;
    case '/':
        return PieceKind::TurningR;
    default:
        return std::nullopt;
    }
}

const Moves& stepAlong(PieceKind kind)
{
    switch (kind) {
    case PieceKind::TurningV:
        return TurningV::farEnd();
    case PieceKind::TurningL:
        return TurningL::farEnd();
    case PieceKind::TurningR:
        return TurningR::farEnd();
    case PieceKind::Straight:
        break;
    }
    return Straight::farEnd();
}

Track::Track(const char* layout) : Track()
{
    for (const char* c = layout; *c != '\0'; ++c) {
        addPiece(*c);
    }
}

void Track::clear()
{
    pieces_.clear();
    kinds_.clear();
    progress = 0;
    ballRadius = baseBallRadius;
}

void Track::addPiece(char c)
{
    const std::optional<PieceKind> kind = pieceKindFor(c);
    if (!kind) {
        return;
    }
    const float start = static_cast<float>(pieces_.size());
    const float end = start + 1;
    switch (*kind) {
    case PieceKind::TurningV:
        pieces_.push_back(std::make_unique<TurningV>(start, end));
        break;
    case PieceKind::Straight:
        pieces_.push_back(std::make_unique<Straight>(start, end));
        break;
    case PieceKind::TurningL:
        pieces_.push_back(std::make_unique<TurningL>(start, end));
        break;
    case PieceKind::TurningR:
        pieces_.push_back(std::make_unique<TurningR>(start, end));
        break;
    }
    kinds_.push_back(*kind);
}

void Track::draw() const
{
    drawLaid(pieces_.size(), progress, ballRadius);
}

void Track::drawLaid(std::size_t laid, float ballProgress, float radius) const
{
    const std::size_t drawn = std::min(laid, pieces_.size());
    const float ridePosition = ballProgress * static_cast<float>(drawn);
    glPushMatrix();
    for (std::size_t i = 0; i < drawn; ++i) {
        glPushMatrix();
        glColor3fv(railRed);
        pieces_[i]->draw();
        glPushMatrix();
        if (pieces_[i]->placeBall(ridePosition)) {
            glColor3fv(ballBlue);
            // A bigger ball swells upward: its lowest point stays 0.2 below
            // the rail line.
            glTranslatef(0, radius - baseBallRadius, 0);
            if (sphere_.get() != nullptr) {
                gluSphere(sphere_.get(), radius, sphereSlices, sphereStacks);
            }
        }
        glPopMatrix();
        glPopMatrix();
        applyMoves(stepAlong(kinds_[i]));
    }
    glPopMatrix();
}
