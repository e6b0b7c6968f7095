#include "assets/texture_store.h"

#include <cstdio>
#include <cstdlib>

TextureStore& textureStore = *new TextureStore;

namespace {

// R, G, B, A in memory order on a little-endian machine: what GL_RGBA with
// GL_UNSIGNED_BYTE reads.
constexpr Uint32 redMask = 0x000000ff;
constexpr Uint32 greenMask = 0x0000ff00;
constexpr Uint32 blueMask = 0x00ff0000;
constexpr Uint32 alphaMask = 0xff000000;
constexpr int bitsPerPixel = 32;

[[noreturn]] void surfaceFailed()
{
    std::fprintf(stderr, "CreateRGBSurface failed: %s\n", SDL_GetError());
    std::fflush(stderr);
    std::exit(1);
}

const std::uint32_t* pixelsOf(const SDL_Surface* surface)
{
    return static_cast<const std::uint32_t*>(surface->pixels);
}

int pitchInPixels(const SDL_Surface* surface)
{
    return surface->pitch / surface->format->BytesPerPixel;
}

}  // namespace

int powerOfTwoAtLeast(int n)
{
    int side = 1;
    while (side < n) {
        side *= 2;
    }
    return side;
}

void resampleNearest(const std::uint32_t* src, int srcWidth, int srcHeight, int srcPitch,
                     std::uint32_t* dst, int dstWidth, int dstHeight, int dstPitch)
{
    // Sums grow by the source size per step instead of multiplying, and each
    // is divided once: no overflow for any picture size the show uses.
    int rowSum = 0;
    for (int j = 0; j < dstHeight; ++j, rowSum += srcHeight) {
        const std::uint32_t* srcRow = src + static_cast<long>(rowSum / dstHeight) * srcPitch;
        std::uint32_t* dstRow = dst + static_cast<long>(j) * dstPitch;
        int columnSum = 0;
        for (int i = 0; i < dstWidth; ++i, columnSum += srcWidth) {
            dstRow[i] = srcRow[columnSum / dstWidth];
        }
    }
}

ImageRef surfaceToTexture(SDL_Surface* surface, TextureStore& store)
{
    SDL_Surface* rgba = SDL_CreateRGBSurface(0, surface->w, surface->h, bitsPerPixel,
                                             redMask, greenMask, blueMask, alphaMask);
    if (rgba == nullptr) {
        SDL_FreeSurface(surface);
        surfaceFailed();
    }
    // Without the alpha flag the blit copies all four channels instead of
    // blending the picture onto the empty surface; pictures without alpha
    // come out opaque.
    if (surface->flags & SDL_SRCALPHA) {
        SDL_SetAlpha(surface, 0, 0);
    }
    SDL_BlitSurface(surface, nullptr, rgba, nullptr);
    SDL_FreeSurface(surface);

    const int width = rgba->w;
    const int height = rgba->h;
    const int textureWidth = powerOfTwoAtLeast(width);
    const int textureHeight = powerOfTwoAtLeast(height);
    SDL_Surface* stretched = SDL_CreateRGBSurface(rgba->flags, textureWidth, textureHeight,
                                                  rgba->format->BitsPerPixel, rgba->format->Rmask,
                                                  rgba->format->Gmask, rgba->format->Bmask,
                                                  rgba->format->Amask);
    if (stretched == nullptr) {
        surfaceFailed();
    }
    resampleNearest(pixelsOf(rgba), width, height, pitchInPixels(rgba),
                    static_cast<std::uint32_t*>(stretched->pixels), textureWidth, textureHeight,
                    pitchInPixels(stretched));
    SDL_FreeSurface(rgba);
    store.surfaces.push_back(stretched);

    GLuint name = 0;
    glGenTextures(1, &name);
    store.textures.push_back(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, stretched->pixels);

    return {width, height, static_cast<std::int32_t>(store.textures.size()) - 1};
}
