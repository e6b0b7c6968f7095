#include "assets/loader.h"

#include <cstdio>
#include <cstdlib>

#include <SDL_image.h>

#include "assets/media_table.h"

#define SLEIGHRIDE_DEFINE_IMAGE(name, width, height, format) ImageRef name;
SLEIGHRIDE_PICTURES(SLEIGHRIDE_DEFINE_IMAGE)
#undef SLEIGHRIDE_DEFINE_IMAGE

namespace {

#define SLEIGHRIDE_IMAGE_ADDRESS(name, width, height, format) &name,
ImageRef* const records[pictureCount] = {SLEIGHRIDE_PICTURES(SLEIGHRIDE_IMAGE_ADDRESS)};
#undef SLEIGHRIDE_IMAGE_ADDRESS

}  // namespace

SDL_Surface* decodePicture(int number, MediaBlock block)
{
    SDL_Surface* surface = IMG_Load_RW(SDL_RWFromConstMem(block.data, static_cast<int>(block.size)), 1);
    if (surface == nullptr) {
        std::fprintf(stderr, "cannot decode picture %d (%s): %s\n", number,
                     pictureTable[number - 1].name, IMG_GetError());
        std::exit(1);
    }
    return surface;
}

void loadPictures()
{
    for (int number = 1; number <= pictureCount; ++number) {
        *records[number - 1] = surfaceToTexture(decodePicture(number, pictureBlock(number)), textureStore);
    }
}
