#include "tools/capture/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/capture/output_file.h"

namespace {

constexpr int fastLevel = 1;
constexpr int smallLevel = 9;

// libpng reports its errors by a long jump out of png_write_*; nothing
// between here and there may need destroying.
bool writeRows(std::FILE* file, const PixelRows& rows, PngEffort effort, const std::uint8_t** rowPointers)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, effort == PngEffort::Fast ? fastLevel : smallLevel);
    if (effort == PngEffort::Fast) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width), static_cast<png_uint_32>(rows.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    if (rows.bgrx) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    png_write_image(png, const_cast<png_bytepp>(rowPointers));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const PixelRows& rows, PngEffort effort, std::string& error)
{
    std::vector<const std::uint8_t*> rowPointers(static_cast<std::size_t>(rows.height));
    for (int y = 0; y < rows.height; ++y) {
        rowPointers[static_cast<std::size_t>(y)] = rows.top + y * rows.stride;
    }
    const std::string partial = partialPathOf(path);
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        error = cannotWrite(path);
        return false;
    }
    errno = 0;
    bool written = writeRows(file, rows, effort, rowPointers.data());
    // A full disk may show only when the last buffer goes out.
    written = std::fflush(file) == 0 && written;
    const int writeError = errno;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        const int why = written ? errno : writeError;
        error = "cannot write " + path + ": " + (why != 0 ? std::strerror(why) : "the PNG encoder failed");
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
