// Where the capture draws: an OpenGL context of Mesa's own that needs no
// display and no window, drawing into a framebuffer of any size. The show's
// picture is fitted into it as into a window of that size (pillar-boxed when
// wider than 4:3), and each frame is read back from it before the next.
#pragma once

#include <cstddef>
#include <cstdint>

class OffscreenScreen {
public:
    // Opens the context and its framebuffer, and makes them current. A
    // failure ends the program with a line naming what failed.
    OffscreenScreen(int width, int height);
    ~OffscreenScreen();
    OffscreenScreen(const OffscreenScreen&) = delete;
    OffscreenScreen& operator=(const OffscreenScreen&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes of one read-back frame: 4 per pixel, rows bottom up.
    std::size_t frameBytes() const { return static_cast<std::size_t>(width_) * height_ * bytesPerPixel; }
    static constexpr int bytesPerPixel = 4;

    // What was drawn, as BGRX rows from the bottom up (the renderer's own
    // layout, so it is copied out as it stands), straight into pixels
    // (frameBytes long).
    void read(std::uint8_t* pixels) const;

private:
    int width_;
    int height_;
    void* display_ = nullptr;
    void* surface_ = nullptr;
    void* context_ = nullptr;
};
