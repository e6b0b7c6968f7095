// The show's 36 pictures in picture-number order: name (also the file name
// under assets/media, with ".png"), width, height and pixel format. Both the
// embedded blocks and the picture table are expanded from this one list, and
// the picture generators under tools/media read it too.
#pragma once

#define SLEIGHRIDE_PICTURES(PICTURE)                 \
    PICTURE(handoverCard, 1024, 1024, Rgba)          \
    PICTURE(singerMouthOpen, 1024, 1024, Rgba)       \
    PICTURE(singerMouthClosed, 1024, 1024, Rgba)     \
    PICTURE(introLine1, 635, 67, Rgba)               \
    PICTURE(introLine2, 173, 62, Rgba)               \
    PICTURE(introLine3, 691, 69, Rgba)               \
    PICTURE(introLine4, 334, 71, Rgba)               \
    PICTURE(asideLine1, 730, 70, Rgba)               \
    PICTURE(asideLine2, 285, 66, Rgba)               \
    PICTURE(asideSnowLine, 253, 85, Rgba)            \
    PICTURE(santaDrawing, 528, 732, RgbaOpaque)      \
    PICTURE(heart, 228, 244, Rgba)                   \
    PICTURE(emblem, 499, 490, Rgba)                  \
    PICTURE(splashIcon, 16, 16, Rgb)                 \
    PICTURE(greetingsHeader, 1024, 768, Rgba)        \
    PICTURE(greetingsPage1, 1024, 768, Rgba)         \
    PICTURE(greetingsPage2, 1024, 768, Rgba)         \
    PICTURE(greetingsPage3, 1024, 768, Rgba)         \
    PICTURE(greetingsPage4, 1024, 768, Rgba)         \
    PICTURE(greetingsPage5, 1024, 768, Rgba)         \
    PICTURE(retroCaption, 1024, 768, Rgba)           \
    PICTURE(titleSheet, 1024, 768, Rgba)             \
    PICTURE(creditCode, 1024, 768, RgbaOpaque)       \
    PICTURE(creditExtraCode, 1024, 768, RgbaOpaque)  \
    PICTURE(creditPhotoDesign, 1024, 768, RgbaOpaque)\
    PICTURE(creditMusic, 1024, 768, RgbaOpaque)      \
    PICTURE(creditGraphics1, 1024, 768, RgbaOpaque)  \
    PICTURE(creditGraphics2, 1024, 768, RgbaOpaque)  \
    PICTURE(loadCommandLine, 194, 13, Rgba)          \
    PICTURE(retroLogoScreen, 384, 271, RgbaOpaque)   \
    PICTURE(basicScreenCursor, 384, 271, RgbaOpaque) \
    PICTURE(basicScreen, 384, 271, RgbaOpaque)       \
    PICTURE(snowman1, 141, 171, Rgba)                \
    PICTURE(snowman2, 141, 171, Rgba)                \
    PICTURE(snowman3, 141, 171, Rgba)                \
    PICTURE(emblemSlogan, 1024, 768, Rgba)

// The song, an MP3 stream, under assets/media.
#define SLEIGHRIDE_SONG_FILE "song.mp3"
