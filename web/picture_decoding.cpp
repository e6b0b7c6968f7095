// The pictures' decoding in a web page, in place of
// assets/picture_decoding.cpp: a page that needs no threads can be served
// by any web host, so the pictures are decoded as they are handed over, one
// per splash frame so that the splash keeps drawing, with emscripten's
// stb_image in place of libpng.
#include "assets/picture_decoding.h"

#include <stb_image.h>

#include <cstring>
#include <vector>

#include "assets/loader.h"
#include "assets/media_table.h"

namespace {

constexpr int picturesPerHandOver = 1;
constexpr int rgbaChannels = 4;

}  // namespace

struct PictureDecoders::Work {
    explicit Work(int first) : loadedFirst(first) {}

    const int loadedFirst;
    int next = 1;
    TexturePixels pixels;
    std::vector<std::uint32_t> spare;

    // The next picture to decode, past the one loaded first.
    int pending()
    {
        next += next == loadedFirst ? 1 : 0;
        return next;
    }
};

PictureDecoders::PictureDecoders(int loadedFirst) : work_(std::make_unique<Work>(loadedFirst)) {}

PictureDecoders::~PictureDecoders() = default;

bool PictureDecoders::handOver(bool wait, const Upload& upload)
{
    Work& work = *work_;
    for (int handed = 0; work.pending() <= pictureCount && (wait || handed < picturesPerHandOver); ++handed) {
        const std::string error = decodeInto(pictureBlock(work.next), work.pixels, work.spare);
        upload(work.next++, work.pixels, error);
    }
    return work.pending() > pictureCount;
}

// WebAssembly's memory never shrinks.
void releaseDecodingMemory() {}

std::string decodeInto(MediaBlock block, TexturePixels& into, std::vector<std::uint32_t>& spare)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    // Pictures without alpha come out opaque.
    stbi_uc* decoded = stbi_load_from_memory(block.data, static_cast<int>(block.size), &width, &height, &channels,
                                             rgbaChannels);
    if (decoded == nullptr) {
        return stbi_failure_reason();
    }
    std::uint32_t* rows = pictureRows(width, height, into, spare);
    std::memcpy(rows, decoded, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * rgbaChannels);
    stbi_image_free(decoded);
    stretchPicture(rows, into);
    return {};
}
