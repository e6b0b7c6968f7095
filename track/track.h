// The ride's one 3D model: a chain of track pieces laid one by one from the
// layout string, each starting where the one before ends, and the ball that
// rolls along them.
#pragma once

#include <SDL_opengl.h>

#include <memory>
#include <optional>
#include <vector>

#include "track/pieces.h"

// One character per piece, in laying order: "|" straight, "/" right bend,
// "\" left bend, "j" vertical bend (two in a row make a half loop).
inline constexpr char TrackLayout[] =
    "||||/|/|/jj\\|/|/|||\\|\\|\\j|||j/||/||jj||||/|||||\\|\\|\\jj/||/|jj|||||/|/|\\|\\||j||||j/||\\|||"
    "|||||||||||||||\\||||||||\\|||||||||||||||||";

// The kind codes the track keeps with its pieces.
enum class PieceKind : int { TurningV = 0, Straight = 1, TurningL = 2, TurningR = 3 };

// The kind a layout character lays; nothing for any other character.
std::optional<PieceKind> pieceKindFor(char c);

// Moves the frame from the start of a piece of that kind to its far end,
// with +Z heading on along the track.
const Moves& stepAlong(PieceKind kind);

// The ball's radius as the track is built; the ride view makes it pulse.
constexpr float baseBallRadius = 0.8f;

class Track : public GLObject {
public:
    Track() : GLObject(0, 0) {}
    // Laid from a layout, one piece per character.
    explicit Track(const char* layout);

    // No pieces, the ball at the start at its own size.
    void clear();

    // Appends the piece for c, on the next free interval [n, n + 1) of ride
    // positions; any other character lays nothing.
    void addPiece(char c);
    // Every piece in red, chained end to end, and the ball in light blue on
    // the piece that holds it. Leaves the modelview as found.
    void draw() const override;
    // The same for the first laid pieces alone, as if no others were there,
    // with the ball at ballProgress (0 to 1 of those) and of that radius.
    void drawLaid(std::size_t laid, float ballProgress, float radius) const;

    const std::vector<std::unique_ptr<GLObject>>& pieces() const { return pieces_; }
    const std::vector<PieceKind>& kinds() const { return kinds_; }

    // How far the ball has come, 0 to 1 of the whole track.
    float progress = 0;
    float ballRadius = baseBallRadius;

private:
    std::vector<std::unique_ptr<GLObject>> pieces_;
    std::vector<PieceKind> kinds_;
    // The ball's, with GLU's defaults.
    Quadric sphere_;
};
