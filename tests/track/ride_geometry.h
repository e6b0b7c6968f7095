// Where the ride's moves lead, read back from the modelview as OpenGL itself
// builds it, so the tests share the drawing's one description of each piece.
#pragma once

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>

#include "track/pieces.h"

struct Point {
    float x, y, z;
};

using Matrix = std::array<GLfloat, 16>;

inline Matrix currentMatrix(GLenum which = GL_MODELVIEW_MATRIX)
{
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

// The frame that the moves lead to from the identity.
inline Matrix frameAfter(const Moves& moves)
{
    glPushMatrix();
    glLoadIdentity();
    applyMoves(moves);
    const Matrix m = currentMatrix();
    glPopMatrix();
    return m;
}

// A point (w = 1) or a direction (w = 0) of frame m, in the starting frame;
// m is column-major, as OpenGL keeps it.
inline Point mapped(const Matrix& m, Point p, float w = 1)
{
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12] * w, m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13] * w,
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14] * w};
}

inline void expectNear(Point actual, Point expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
