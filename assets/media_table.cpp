#include "media_table.h"

#include "media_list.h"

#ifndef SLEIGHRIDE_MEDIA_DIR
#error "SLEIGHRIDE_MEDIA_DIR must name the folder holding the show's media"
#endif

// Each file is copied whole into the program's read-only data by the
// assembler, so the show reads nothing from disk at run time.
#define SLEIGHRIDE_EMBED(symbol, file)                             \
    __asm__(".pushsection .rodata\n"                               \
            ".balign 16\n"                                         \
            ".global " #symbol "_begin\n"                          \
            ".hidden " #symbol "_begin\n" #symbol "_begin:\n"      \
            ".incbin \"" SLEIGHRIDE_MEDIA_DIR "/" file "\"\n"      \
            ".global " #symbol "_end\n"                            \
            ".hidden " #symbol "_end\n" #symbol "_end:\n"          \
            ".popsection\n");                                      \
    extern "C" const unsigned char symbol##_begin[];               \
    extern "C" const unsigned char symbol##_end[];

#define EMBED_PICTURE(name, width, height, format) \
    SLEIGHRIDE_EMBED(sleighride_##name, #name ".png")

SLEIGHRIDE_EMBED(sleighride_song, SLEIGHRIDE_SONG_FILE)
SLEIGHRIDE_PICTURES(EMBED_PICTURE)

namespace {

MediaBlock block(const unsigned char* begin, const unsigned char* end)
{
    return {begin, static_cast<std::size_t>(end - begin)};
}

#define PICTURE_BLOCK(name, width, height, format) \
    block(sleighride_##name##_begin, sleighride_##name##_end),

const MediaBlock pictureBlocks[pictureCount] = {SLEIGHRIDE_PICTURES(PICTURE_BLOCK)};

}  // namespace

#define PICTURE_ROW(name, width, height, format) {#name, width, height, PixelFormat::format},

const PictureInfo pictureTable[pictureCount] = {SLEIGHRIDE_PICTURES(PICTURE_ROW)};

MediaBlock musicBlock()
{
    return block(sleighride_song_begin, sleighride_song_end);
}

MediaBlock pictureBlock(int number)
{
    return pictureBlocks[number - 1];
}
