// The hand-over caption: three flashes on the beat before the singer.
#include "layers/handover_caption.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "overlay/primitives.h"

namespace {

// The caption's centre is the middle of the bottom edge: only its upper half
// is on screen, over rows 256 to 767.
constexpr float captionX = 512;
constexpr float captionY = 768;

}  // namespace

bool handOverCaptionShown(std::uint32_t t)
{
    // The remainder is of t itself, which puts the flashes on the beat's
    // second half: 81939-82124, 82314-82499, 82689-82874.
    return handOverCaptionWindow.contains(t) && t % beatMs > midBeatMs;
}

void drawHandOverCaptionLayer(std::uint32_t t)
{
    if (!handOverCaptionShown(t)) {
        return;
    }
    glColor3f(1, 1, 1);
    drawPicture(handoverCard, captionX, captionY);
}
