// Stands in for GLU's quadrics (gluNewQuadric ... gluCylinder, gluSphere),
// which emscripten's GLU lacks: filled, with smooth normals, the same
// vertices in the same order as the desktop's GLU, so that the rails and
// the ball come out as they do there. For the OpenGL emulation, quad strips
// become triangle strips over the same vertices, every vertex carries its
// own normal and texture coordinate, and the sphere's caps are strips that
// close on the pole rather than fans.
#include <SDL_opengl.h>

#include <cmath>
#include <new>

class GLUquadric {
public:
    GLenum normals = GLU_SMOOTH;
    GLenum orientation = GLU_OUTSIDE;
    bool textured = false;
};

namespace {

constexpr float fullTurn = 2.0f * static_cast<float>(M_PI);
constexpr float halfTurn = static_cast<float>(M_PI);

// One vertex with what the quadric asks for.
void vertex(const GLUquadric& q, float nx, float ny, float nz, float s, float t, float x, float y, float z)
{
    if (q.textured) {
        glTexCoord2f(s, t);
    }
    if (q.normals != GLU_NONE) {
        glNormal3f(nx, ny, nz);
    }
    glVertex3f(x, y, z);
}

// The angle of slice i of slices; the last closes the ring exactly.
float sliceAngle(int i, int slices)
{
    return i == slices ? 0.0f : fullTurn * static_cast<float>(i) / static_cast<float>(slices);
}

}  // namespace

GLUquadric* gluNewQuadric()
{
    return new (std::nothrow) GLUquadric;
}

void gluDeleteQuadric(GLUquadric* q)
{
    delete q;
}

// Only GLU_FILL is drawn, the one style the show uses.
void gluQuadricDrawStyle(GLUquadric*, GLenum) {}

void gluQuadricNormals(GLUquadric* q, GLenum normals)
{
    q->normals = normals;
}

void gluQuadricOrientation(GLUquadric* q, GLenum orientation)
{
    q->orientation = orientation;
}

void gluQuadricTexture(GLUquadric* q, GLboolean textured)
{
    q->textured = textured == GL_TRUE;
}

void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    const float delta = static_cast<float>(base - top);
    const float h = static_cast<float>(height);
    const float length = std::sqrt(delta * delta + h * h);
    const float sign = q->orientation == GLU_INSIDE ? -1.0f : 1.0f;
    const float xyNormal = sign * h / length;
    const float zNormal = sign * delta / length;
    for (int j = 0; j < stacks; ++j) {
        const float low = static_cast<float>(j) / static_cast<float>(stacks);
        const float high = static_cast<float>(j + 1) / static_cast<float>(stacks);
        const float rLow = static_cast<float>(base) - delta * low;
        const float rHigh = static_cast<float>(base) - delta * high;
        glBegin(GL_TRIANGLE_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const float a = sliceAngle(i, slices);
            const float sa = std::sin(a);
            const float ca = std::cos(a);
            const float s = 1.0f - static_cast<float>(i) / static_cast<float>(slices);
            const float nx = xyNormal * sa;
            const float ny = xyNormal * ca;
            if (q->orientation == GLU_OUTSIDE) {
                vertex(*q, nx, ny, zNormal, s, low, rLow * sa, rLow * ca, low * h);
                vertex(*q, nx, ny, zNormal, s, high, rHigh * sa, rHigh * ca, high * h);
            } else {
                vertex(*q, nx, ny, zNormal, s, high, rHigh * sa, rHigh * ca, high * h);
                vertex(*q, nx, ny, zNormal, s, low, rLow * sa, rLow * ca, low * h);
            }
        }
        glEnd();
    }
}

void gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks)
{
    const float r = static_cast<float>(radius);
    const float sign = q->orientation == GLU_INSIDE ? -1.0f : 1.0f;
    // Rings j and j + 1, from the +z pole (j = 0) down; at a pole the ring
    // is a point.
    for (int j = 0; j < stacks; ++j) {
        const float b0 = halfTurn * static_cast<float>(j) / static_cast<float>(stacks);
        const float b1 = halfTurn * static_cast<float>(j + 1) / static_cast<float>(stacks);
        const float ring0 = j == 0 ? 0.0f : std::sin(b0);
        const float ring1 = j + 1 == stacks ? 0.0f : std::sin(b1);
        const float t0 = 1.0f - static_cast<float>(j) / static_cast<float>(stacks);
        const float t1 = 1.0f - static_cast<float>(j + 1) / static_cast<float>(stacks);
        glBegin(GL_TRIANGLE_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const int k = q->orientation == GLU_OUTSIDE ? i : slices - i;
            const float a = sliceAngle(k, slices);
            const float sa = std::sin(a);
            const float ca = std::cos(a);
            const float s = 1.0f - static_cast<float>(k) / static_cast<float>(slices);
            vertex(*q, sign * sa * std::sin(b1), sign * ca * std::sin(b1), sign * std::cos(b1), s, t1,
                   r * ring1 * sa, r * ring1 * ca, r * std::cos(b1));
            vertex(*q, sign * sa * std::sin(b0), sign * ca * std::sin(b0), sign * std::cos(b0), s, t0,
                   r * ring0 * sa, r * ring0 * ca, r * std::cos(b0));
        }
        glEnd();
    }
}
