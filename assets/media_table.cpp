#include "media_table.h"

#include "media_list.h"

#ifndef SLEIGHRIDE_MEDIA_DIR
#error "SLEIGHRIDE_MEDIA_DIR must name the folder holding the show's media"
#endif

// Each file is copied whole into the program's read-only data by the
// assembler, so the show reads nothing from disk at run time. The object
// formats want different directives: ELF (the desktop) a section pushed and
// popped around the data; WebAssembly (the show as a web page) a section of
// its own per file, with no push or pop, and every data symbol typed and
// sized.
#if defined(__wasm__)
#define SLEIGHRIDE_SECTION_BEGIN(symbol) ".section .rodata." #symbol ",\"\",@\n"
#define SLEIGHRIDE_DATA_SYMBOL(name) ".type " name ",@object\n" name ":\n"
#define SLEIGHRIDE_SYMBOL_SIZE(name) ".size " name ", . - " name "\n"
#define SLEIGHRIDE_SECTION_END ""
#else
#define SLEIGHRIDE_SECTION_BEGIN(symbol) ".pushsection .rodata\n"
#define SLEIGHRIDE_DATA_SYMBOL(name) name ":\n"
#define SLEIGHRIDE_SYMBOL_SIZE(name) ""
#define SLEIGHRIDE_SECTION_END ".popsection\n"
#endif

#define SLEIGHRIDE_EMBED(symbol, file)                             \
    __asm__(SLEIGHRIDE_SECTION_BEGIN(symbol)                       \
            ".balign 16\n"                                         \
            ".global " #symbol "_begin\n"                          \
            ".hidden " #symbol "_begin\n"                          \
            SLEIGHRIDE_DATA_SYMBOL(#symbol "_begin")               \
            ".incbin \"" SLEIGHRIDE_MEDIA_DIR "/" file "\"\n"      \
            SLEIGHRIDE_SYMBOL_SIZE(#symbol "_begin")               \
            ".global " #symbol "_end\n"                            \
            ".hidden " #symbol "_end\n"                            \
            SLEIGHRIDE_DATA_SYMBOL(#symbol "_end")                 \
            SLEIGHRIDE_SYMBOL_SIZE(#symbol "_end")                 \
            SLEIGHRIDE_SECTION_END);                               \
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
