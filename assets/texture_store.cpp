#include "assets/texture_store.h"

#include <cstring>
#include <utility>

TextureStore& textureStore = *new TextureStore;

namespace {

std::size_t pixelCount(int width, int height)
{
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// Where the picture's rows lie when it is stretched in place: at the bottom
// of the texels, so that stretching downward from the top row only ever
// reads rows it has not yet written.
std::size_t inPlaceOffset(const TexturePixels& pixels)
{
    return pixelCount(pixels.textureWidth, pixels.textureHeight - pixels.height);
}

bool stretchedInPlace(const TexturePixels& pixels)
{
    return pixels.width == pixels.textureWidth;
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

std::uint32_t* pictureRows(int width, int height, TexturePixels& into, std::vector<std::uint32_t>& spare)
{
    into.width = width;
    into.height = height;
    into.textureWidth = powerOfTwoAtLeast(width);
    into.textureHeight = powerOfTwoAtLeast(height);
    into.texels.resize(pixelCount(into.textureWidth, into.textureHeight));
    if (stretchedInPlace(into)) {
        return into.texels.data() + inPlaceOffset(into);
    }
    spare.resize(pixelCount(width, height));
    return spare.data();
}

void stretchPicture(const std::uint32_t* rows, TexturePixels& into)
{
    into.coverage = Coverage(rows, into.width, into.height, into.width, into.textureWidth, into.textureHeight);
    if (!stretchedInPlace(into)) {
        resampleNearest(rows, into.width, into.height, into.width, into.texels.data(), into.textureWidth,
                        into.textureHeight, into.textureWidth);
        return;
    }
    // Texel row j is picture row j * height / textureHeight, which lies at or
    // below row j where the picture was written: never a row already
    // rewritten.
    const std::size_t rowBytes = pixelCount(into.textureWidth, 1) * sizeof(std::uint32_t);
    int rowSum = 0;
    for (int j = 0; j < into.textureHeight; ++j, rowSum += into.height) {
        const std::uint32_t* from = rows + pixelCount(into.width, rowSum / into.textureHeight);
        std::uint32_t* to = into.texels.data() + pixelCount(into.textureWidth, j);
        if (from != to) {
            std::memmove(to, from, rowBytes);
        }
    }
}

void uploadTexture(GLuint name, const TexturePixels& pixels)
{
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Set before the upload: the renderer then makes room for one level only.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.textureWidth, pixels.textureHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.texels.data());
}
