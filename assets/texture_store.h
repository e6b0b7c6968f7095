// Turning decoded pictures into OpenGL textures, and the one store that keeps
// them. Each picture is stretched to power-of-two sides by nearest-neighbour
// sampling, so texture coordinates 0..1 always show exactly the whole picture.
// Only the renderer keeps the pixels: the stretched copy is handed over and
// its memory used again for the next picture.
#pragma once

#include <SDL_opengl.h>

#include <cstdint>
#include <vector>

#include "assets/coverage.h"

// How drawing code refers to a picture: its own pixel size (not its
// texture's) and its place in the store.
struct ImageRef {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t textureIndex = 0;
};

// Append-only: entry k of both lists belongs to the picture with index k.
struct TextureStore {
    std::vector<GLuint> textures;
    // What each picture shows where, so that drawing can skip and need not
    // blend (Coverage{} until the picture is loaded).
    std::vector<Coverage> coverage;
};

// Created before the entry runs and never destroyed, so nothing is freed
// after SDL has shut down.
extern TextureStore& textureStore;

// The smallest power of two not below n (n >= 1).
int powerOfTwoAtLeast(int n);

// Nearest-neighbour stretch of 32-bit pixels; pitches are row lengths in
// pixels. Destination pixel (i, j) takes source pixel
// ((i * srcWidth) / dstWidth, (j * srcHeight) / dstHeight).
void resampleNearest(const std::uint32_t* src, int srcWidth, int srcHeight, int srcPitch,
                     std::uint32_t* dst, int dstWidth, int dstHeight, int dstPitch);

// A picture as its texture holds it, R, G, B, A bytes per texel; the memory
// is kept from one picture to the next.
struct TexturePixels {
    int width = 0;  // the picture's own size
    int height = 0;
    int textureWidth = 0;  // powers of two
    int textureHeight = 0;
    std::vector<std::uint32_t> texels;
    Coverage coverage;
};

// Where a width x height picture's RGBA rows (width pixels apart) are to be
// written before stretchPicture turns them into into's texels. A picture
// already as wide as its texture is written into the texels' own memory
// and stretched in place; another goes to spare, and both keep their memory
// from one picture to the next.
std::uint32_t* pictureRows(int width, int height, TexturePixels& into, std::vector<std::uint32_t>& spare);

// Fills into's texels and coverage from the rows pictureRows gave.
void stretchPicture(const std::uint32_t* rows, TexturePixels& into);

// Gives texture name those texels, sampled nearest and repeating. Leaves it
// bound and the unpack alignment at 1.
void uploadTexture(GLuint name, const TexturePixels& pixels);
