// The show's screen: 1024 x 768 pixels. All 2D drawing of the show happens
// one unit per pixel, origin top left, y down.
#pragma once

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;
constexpr float screenCentreX = screenWidth / 2.0f;
constexpr float screenCentreY = screenHeight / 2.0f;

// Where the 1024 x 768 picture goes in a window of another size: the
// largest 4:3 rectangle that fits, centred, with black bars beside it (a
// wider window) or above and below it (a taller one). In window pixels,
// from the bottom-left corner as OpenGL counts them.
struct ShowViewport {
    int x = 0;
    int y = 0;
    int width = screenWidth;
    int height = screenHeight;
};

constexpr ShowViewport showViewportIn(int windowWidth, int windowHeight)
{
    // Compared as whole numbers: width * 3 against height * 4.
    if (windowWidth * screenHeight >= windowHeight * screenWidth) {
        const int width = windowHeight * screenWidth / screenHeight;
        return {(windowWidth - width) / 2, 0, width, windowHeight};
    }
    const int height = windowWidth * screenHeight / screenWidth;
    return {0, (windowHeight - height) / 2, windowWidth, height};
}

// The window the show opens on a display of the given size when it cannot,
// or is asked not to, take the whole screen: its own 1024 x 768 where that
// fits (or the display's size is unknown, 0 x 0), else the largest 4:3 size
// that does.
struct WindowSize {
    int width = screenWidth;
    int height = screenHeight;
};

constexpr WindowSize showWindowOn(int displayWidth, int displayHeight)
{
    const bool unknown = displayWidth <= 0 || displayHeight <= 0;
    if (unknown || (displayWidth >= screenWidth && displayHeight >= screenHeight)) {
        return {};
    }
    const ShowViewport fitted = showViewportIn(displayWidth, displayHeight);
    return {fitted.width, fitted.height};
}

// Where a point of the window (in window pixels, y down from the top, as
// the mouse reports it) lies on the show's screen, in show pixels; outside
// 0..1024 by 0..768 over the black bars.
struct ShowPoint {
    float x;
    float y;
};

constexpr ShowPoint showPointAt(int windowX, int windowY, int windowWidth, int windowHeight)
{
    const ShowViewport picture = showViewportIn(windowWidth, windowHeight);
    const int pictureTop = windowHeight - picture.y - picture.height;
    return {static_cast<float>(windowX - picture.x) * screenWidth / static_cast<float>(picture.width),
            static_cast<float>(windowY - pictureTop) * screenHeight / static_cast<float>(picture.height)};
}
