// What a picture shows where, kept beside its texture so that drawing can
// leave out what is wholly transparent and need not blend what is opaque.
// The picture is seen in blocks of 8 x 8 pixels: a block shows nothing when
// every pixel in it has alpha 0, and is opaque when every pixel has alpha 255.
#pragma once

#include <cstdint>
#include <vector>

enum class Cover : std::uint8_t {
    None,     // every texel wholly transparent: drawing it changes nothing
    Partial,  // something shows, but not everywhere opaque: needs blending
    Opaque,   // every texel opaque: blending changes nothing
};

class Coverage {
public:
    // Knows nothing: every region counts as Partial, which is always safe.
    Coverage() = default;

    // Of a picture of RGBA pixels (R, G, B, A bytes), width x height, rows
    // pitch pixels apart, stretched by nearest sampling into a texture of
    // textureWidth x textureHeight (texel i shows picture column
    // i * width / textureWidth, and likewise for rows).
    Coverage(const std::uint32_t* pixels, int width, int height, int pitch, int textureWidth, int textureHeight);

    // What the texels in columns firstColumn..lastColumn and rows
    // firstRow..lastRow show (inclusive). Indices may lie beyond either edge,
    // where the texture repeats, as sampling with GL_REPEAT wraps them.
    Cover ofTexels(int firstColumn, int lastColumn, int firstRow, int lastRow) const;

    // False for Coverage{}, which knows nothing of the picture.
    bool known() const { return !blocks_.empty(); }
    int textureWidth() const { return textureWidth_; }
    int textureHeight() const { return textureHeight_; }

private:
    int width_ = 0;
    int height_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    int blockColumns_ = 0;
    // Per block: bit 0 something shows, bit 1 all of it opaque.
    std::vector<std::uint8_t> blocks_;
};
