#include "ride_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

Matrix currentModelview()
{
    Matrix m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

Matrix frameAfter(const Moves& moves)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyMoves(moves);
    const Matrix m = currentModelview();
    glPopMatrix();
    return m;
}

Point mapped(const Matrix& m, Point p, float w)
{
    // Column-major, as OpenGL keeps it.
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12] * w, m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13] * w,
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14] * w};
}

float distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

void expectNear(Point actual, Point expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
