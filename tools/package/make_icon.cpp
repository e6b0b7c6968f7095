// The show's icon for the desktop: the splash's robot face, each of its
// 16 x 16 pixels a sharp 16 x 16 block, written as a 256 x 256 PNG.
//     make_icon OUT.png
#include <SDL.h>
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/loader.h"
#include "assets/media_table.h"
#include "assets/texture_store.h"

namespace {

constexpr const char* facePicture = "splashIcon";
constexpr int enlargement = 16;  // as on the splash
constexpr int rgbBytes = 3;

[[noreturn]] void fail(const std::string& what, const std::string& why)
{
    std::fprintf(stderr, "make_icon: %s: %s\n", what.c_str(), why.c_str());
    std::exit(1);
}

int faceNumber()
{
    for (int number = 1; number <= pictureCount; ++number) {
        if (std::strcmp(pictureTable[number - 1].name, facePicture) == 0) {
            return number;
        }
    }
    fail("no picture named", facePicture);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUT.png\n");
        return 2;
    }
    const std::string out = argv[1];
    const int number = faceNumber();
    SDL_Surface* face = decodePicture(number, pictureBlock(number));
    // Any pixel format, read through 32 bits a pixel.
    SDL_Surface* face32 = SDL_CreateRGBSurface(0, face->w, face->h, 32, 0xff, 0xff00, 0xff0000, 0);
    if (face32 == nullptr) {
        fail("cannot make a surface", SDL_GetError());
    }
    SDL_BlitSurface(face, nullptr, face32, nullptr);
    const int width = face->w * enlargement;
    const int height = face->h * enlargement;
    std::vector<std::uint32_t> enlarged(static_cast<std::size_t>(width) * height);
    resampleNearest(static_cast<const std::uint32_t*>(face32->pixels), face->w, face->h, face32->pitch / 4,
                    enlarged.data(), width, height, width);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(enlarged.size() * rgbBytes);
    for (std::uint32_t pixel : enlarged) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, face32->format, &r, &g, &b);
        rgb.insert(rgb.end(), {r, g, b});
    }
    SDL_FreeSurface(face32);
    SDL_FreeSurface(face);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // Written aside and renamed, so a failure leaves no half-written icon.
    const std::string partial = out + ".partial";
    if (png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        std::remove(partial.c_str());
        fail("cannot write " + out, image.message);
    }
    if (std::rename(partial.c_str(), out.c_str()) != 0) {
        std::remove(partial.c_str());
        fail("cannot write " + out, std::strerror(errno));
    }
    return 0;
}
