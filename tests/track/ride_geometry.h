// Where the ride's moves lead, read back from the modelview as OpenGL itself
// builds it, so the tests share the drawing's one description of each piece.
#pragma once

#include <SDL_opengl.h>

#include <array>

#include "track/pieces.h"

struct Point {
    float x, y, z;
};

using Matrix = std::array<GLfloat, 16>;

Matrix currentModelview();

// The frame that the moves lead to from the identity.
Matrix frameAfter(const Moves& moves);

// A point (w = 1) or a direction (w = 0) of frame m, in the starting frame.
Point mapped(const Matrix& m, Point p, float w = 1);

float distance(Point a, Point b);

void expectNear(Point actual, Point expected, float tolerance);
