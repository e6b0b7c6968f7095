// Turning decoded pictures into OpenGL textures, and the one store that keeps
// them. Each picture is stretched to power-of-two sides by nearest-neighbour
// sampling, so texture coordinates 0..1 always show exactly the whole picture.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdint>
#include <vector>

// How drawing code refers to a picture: its own pixel size (not its
// texture's) and its place in the store.
struct ImageRef {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t textureIndex = 0;
};

// Append-only: entry k of both lists belongs to the picture with index k.
// The surfaces keep the converted pixels alive for the whole run.
struct TextureStore {
    std::vector<SDL_Surface*> surfaces;
    std::vector<GLuint> textures;
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

// Converts a decoded picture (any format SDL can blit to 32-bit RGBA; the
// call takes it over and frees it) into a texture appended to the store.
// Leaves that texture bound and the unpack alignment at 1. Ends the program
// with a message if a surface cannot be created.
ImageRef surfaceToTexture(SDL_Surface* surface, TextureStore& store);
