// The show's icon for the desktop: the splash's robot face, each of its
// 16 x 16 pixels a sharp 16 x 16 block, written as a 256 x 256 PNG.
//     make_icon OUT.png
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
    TexturePixels face;
    decodePicture(number, pictureBlock(number), face);
    const int width = face.width * enlargement;
    const int height = face.height * enlargement;
    // R, G, B, A bytes; a face of power-of-two sides is its own texture.
    std::vector<std::uint32_t> enlarged(static_cast<std::size_t>(width) * height);
    resampleNearest(face.texels.data(), face.textureWidth, face.textureHeight, face.textureWidth, enlarged.data(),
                    width, height, width);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(enlarged.size() * rgbBytes);
    for (std::uint32_t pixel : enlarged) {
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                               static_cast<std::uint8_t>(pixel >> 16)});
    }

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
