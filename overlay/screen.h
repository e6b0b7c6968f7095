// The show's screen: 1024 x 768 pixels. All 2D drawing of the show happens
// one unit per pixel, origin top left, y down.
#pragma once

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;
constexpr float screenCentreX = screenWidth / 2.0f;
constexpr float screenCentreY = screenHeight / 2.0f;
