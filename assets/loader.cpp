#include "assets/loader.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "assets/media_table.h"
#include "assets/picture_decoding.h"

#define SLEIGHRIDE_DEFINE_IMAGE(name, width, height, format) ImageRef name;
SLEIGHRIDE_PICTURES(SLEIGHRIDE_DEFINE_IMAGE)
#undef SLEIGHRIDE_DEFINE_IMAGE

namespace {

#define SLEIGHRIDE_IMAGE_ADDRESS(name, width, height, format) &name,
ImageRef* const records[pictureCount] = {SLEIGHRIDE_PICTURES(SLEIGHRIDE_IMAGE_ADDRESS)};
#undef SLEIGHRIDE_IMAGE_ADDRESS

[[noreturn]] void failDecoding(int number, const std::string& why)
{
    std::fprintf(stderr, "cannot decode picture %d (%s): %s\n", number, pictureTable[number - 1].name, why.c_str());
    std::fflush(stderr);
    std::exit(1);
}

// Hands a decoded picture to its texture and its record.
void giveToTexture(int number, TexturePixels& pixels)
{
    const int index = number - 1;
    uploadTexture(textureStore.textures[static_cast<std::size_t>(index)], pixels);
    textureStore.coverage[static_cast<std::size_t>(index)] = std::move(pixels.coverage);
    *records[index] = {pixels.width, pixels.height, index};
}

std::unique_ptr<PictureDecoders> loading;

int numberOf(const ImageRef& record)
{
    for (int index = 0; index < pictureCount; ++index) {
        if (records[index] == &record) {
            return index + 1;
        }
    }
    return 1;
}

// Once every picture is in, the decoders end, their memory goes and the
// heap gives back what they freed.
bool uploadPictures(bool wait)
{
    if (loading == nullptr) {
        return true;
    }
    const bool done = loading->handOver(wait, [](int number, TexturePixels& pixels, const std::string& error) {
        if (!error.empty()) {
            failDecoding(number, error);
        }
        giveToTexture(number, pixels);
    });
    glBindTexture(GL_TEXTURE_2D, 0);
    if (done) {
        loading.reset();
        releaseDecodingMemory();
    }
    return done;
}

}  // namespace

void decodePicture(int number, MediaBlock block, TexturePixels& into)
{
    std::vector<std::uint32_t> spare;
    const std::string why = decodeInto(block, into, spare);
    if (!why.empty()) {
        failDecoding(number, why);
    }
}

void startLoadingPictures(const ImageRef& first)
{
    textureStore.textures.resize(pictureCount);
    glGenTextures(pictureCount, textureStore.textures.data());
    textureStore.coverage.resize(pictureCount);
    const int number = numberOf(first);
    loading = std::make_unique<PictureDecoders>(number);
    TexturePixels pixels;
    decodePicture(number, pictureBlock(number), pixels);
    giveToTexture(number, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool uploadDecodedPictures()
{
    return uploadPictures(false);
}

void finishLoadingPictures()
{
    uploadPictures(true);
}

void loadPictures()
{
    startLoadingPictures(*records[0]);
    finishLoadingPictures();
}
